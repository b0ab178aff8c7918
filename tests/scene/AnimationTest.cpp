// The wandering and shuttle cubes' stepwise animation, frame by frame.
#include <gtest/gtest.h>

#include <PlatformControl.h>

#include "AppState.h"
#include "SceneTest.h"

namespace {

// Positions accumulate hundreds of single-precision steps of 0.1.
const float kPositionTolerance = 0.01f;
const float kAngleTolerance = 0.05f;

class AnimationTest : public SceneTest {};

// The wandering cube after frame `frame` (0: before the first).
struct Wandering {
  int frame;
  float x, z, angle;
  int phase;
  float counter;
};

// The shuttle cube after frame `frame`.
struct Shuttle {
  int frame;
  float x;
  int direction;
  float counter, angle;
};

void ExpectWanderingCube(const Wandering &expected) {
  EXPECT_NEAR(appState.wanderX, expected.x, kPositionTolerance);
  EXPECT_NEAR(appState.wanderZ, expected.z, kPositionTolerance);
  EXPECT_NEAR(appState.wanderAngle, expected.angle, kAngleTolerance);
  EXPECT_EQ(appState.wanderPhase, expected.phase);
  EXPECT_EQ(appState.wanderCounter, expected.counter);
}

void ExpectShuttleCube(const Shuttle &expected) {
  EXPECT_NEAR(appState.shuttleX, expected.x, kPositionTolerance);
  EXPECT_EQ(appState.shuttleDirection, expected.direction);
  EXPECT_EQ(appState.shuttleCounter, expected.counter);
  EXPECT_NEAR(appState.shuttleAngle, expected.angle, kAngleTolerance);
}

TEST_F(AnimationTest, WanderingCubeRunsOneFullCycleAndShuttleCubeOneRoundTrip) {
  // The phase changes at the end of the frame whose counter first passes a
  // threshold, so that frame still moves by the old phase.
  const Wandering wandering[] = {
      {0, 20.0f, 20.0f, 0.0f, 1, 0.0f},
      {1, 20.1f, 20.1f, 0.8f, 1, 1.0f},
      {500, 70.0f, 70.0f, 400.0f, 1, 500.0f},
      {501, 70.1f, 70.1f, 400.8f, 2, 501.0f},
      {1000, 20.2f, 70.1f, 201.2f, 2, 1000.0f},
      {1001, 20.1f, 70.1f, 200.8f, 3, 1001.0f},
      {1500, 20.1f, 20.2f, 350.5f, 3, 1500.0f},
      // Phase 1 lasts one frame longer than the others: each cycle ends 0.1
      // further along x and z, turned by 350.8 degrees.
      {1501, 20.1f, 20.1f, 350.8f, 1, 0.0f},
      {1502, 20.2f, 20.2f, 351.6f, 1, 1.0f},
  };
  const Shuttle shuttle[] = {
      {0, 90.0f, 1, 0.0f, 0.0f},     {1, 89.9f, 1, 1.0f, 0.2f},     {699, 20.1f, 1, 699.0f, 139.8f},
      {700, 20.0f, 0, 0.0f, 140.0f}, {701, 20.1f, 0, 1.0f, 140.2f}, {1400, 90.0f, 1, 0.0f, 280.0f},
  };
  for (int frame = 0; frame <= 1502; ++frame) {
    if (frame > 0)
      RenderFrames(1);
    SCOPED_TRACE(frame);
    for (const Wandering &expected : wandering) {
      if (expected.frame == frame)
        ExpectWanderingCube(expected);
    }
    for (const Shuttle &expected : shuttle) {
      if (expected.frame == frame)
        ExpectShuttleCube(expected);
    }
  }
}

TEST_F(AnimationTest, LaterThresholdTestsOverrideEarlierOnes) {
  struct Case {
    float counterBefore;
    int phaseBefore;
    int phaseAfter;
    float counterAfter;
  };
  const Case cases[] = {
      {1199.0f, 1, 3, 1200.0f}, // passes 500 and 1000: ends in phase 3
      {1599.0f, 2, 1, 0.0f},    // passes all three: the cycle restarts
      {499.0f, 3, 3, 500.0f},   // at or below 500 the phase stays
      {500.0f, 3, 2, 501.0f},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.counterBefore);
    appState.wanderCounter = c.counterBefore;
    appState.wanderPhase = c.phaseBefore;
    appState.wanderX = 50.0f;
    appState.wanderZ = 50.0f;
    RenderFrames(1);
    EXPECT_EQ(appState.wanderPhase, c.phaseAfter);
    EXPECT_EQ(appState.wanderCounter, c.counterAfter);
    // The frame itself moved by the phase it started in.
    const float expectedX = c.phaseBefore == 1 ? 50.1f : c.phaseBefore == 2 ? 49.9f : 50.0f;
    const float expectedZ = c.phaseBefore == 1 ? 50.1f : c.phaseBefore == 3 ? 49.9f : 50.0f;
    EXPECT_FLOAT_EQ(appState.wanderX, expectedX);
    EXPECT_FLOAT_EQ(appState.wanderZ, expectedZ);
  }
}

TEST_F(AnimationTest, ShuttleCubeTurnsAroundAfterItsSevenHundredthStepEitherWay) {
  appState.shuttleX = 20.0f;
  appState.shuttleDirection = 0;
  appState.shuttleCounter = 699.0f;
  RenderFrames(1);
  ExpectShuttleCube({1, 20.1f, 1, 0.0f, 0.2f});
  RenderFrames(1);
  ExpectShuttleCube({2, 20.0f, 1, 1.0f, 0.4f});
}

TEST_F(AnimationTest, EachFramePausesTwoMillisecondsOnce) {
  control::ClearCallLog();
  RenderFrames(3);
  int sleeps = 0;
  for (const control::PlatformCall &call : control::CallLog()) {
    if (call.name == "Sleep") {
      ++sleeps;
      EXPECT_EQ(call.arguments, "2");
    }
  }
  EXPECT_EQ(sleeps, 3);
}

} // namespace
