// The program fuzz target's decoding: whatever the input, a run has its events
// in the order of their passes, at most kMostFailures failing calls, and ends
// with the closing events within a bounded number of frame passes.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "ProgramSequence.h"

namespace {

const size_t kEndingEvents = 8;

void ExpectBounded(const ProgramSequence &sequence, const std::string &what) {
  SCOPED_TRACE(what);
  const std::vector<ProgramEvent> &events = sequence.events;
  ASSERT_GE(events.size(), kEndingEvents + 1);
  EXPECT_EQ(events.front().kind, EventKind::Answer);
  EXPECT_EQ(events.front().pass, 0);
  int failures = 0;
  for (size_t i = 0; i < events.size(); ++i) {
    if (i > 0) {
      EXPECT_LE(events[i - 1].pass, events[i].pass) << "event " << i;
    }
    failures += events[i].kind == EventKind::FailCall;
    // Native events need the window, which exists from the first frame pass.
    const bool beforeStart = events[i].kind == EventKind::Answer ||
                             events[i].kind == EventKind::FailCall ||
                             events[i].kind == EventKind::DisplayModes;
    if (!beforeStart) {
      EXPECT_GE(events[i].pass, 1) << "event " << i;
    }
  }
  EXPECT_LE(failures, kMostFailures);
  // The ending: closes, Escape and quit requests on consecutive passes last.
  for (size_t i = events.size() - kEndingEvents; i < events.size(); ++i) {
    const EventKind kind = events[i].kind;
    EXPECT_TRUE(kind == EventKind::Close || kind == EventKind::QuitRequest ||
                (kind == EventKind::KeyDown && events[i].key == VK_ESCAPE))
        << "event " << i;
    if (i > events.size() - kEndingEvents) {
      EXPECT_EQ(events[i].pass, events[i - 1].pass + 1) << "event " << i;
    }
  }
  EXPECT_EQ(sequence.lastPass, events.back().pass);
  EXPECT_LE(sequence.lastPass, kLastEventPass + static_cast<int>(kEndingEvents));
}

ProgramSequence Decode(const std::vector<uint8_t> &bytes) {
  return DecodeProgramSequence(bytes.data(), bytes.size());
}

TEST(ProgramSequence, InputsOfEveryShapeGiveBoundedRuns) {
  struct Case {
    const char *what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> longestWaits = {1};
  for (int i = 0; i < 40; ++i)
    longestWaits.insert(longestWaits.end(), {0, 31, 1, 0});
  std::vector<uint8_t> manyFailures = {0};
  for (int i = 0; i < 10; ++i)
    manyFailures.insert(manyFailures.end(), {13, static_cast<uint8_t>(i), 0});
  const Case cases[] = {
      {"empty", {}},
      {"answer only", {1}},
      {"cut in an operation's arguments", {0, 7, 5}},
      {"events before the first frame pass", {0, 3, 11, 1, 5, 12, 0, 13, 8, 2}},
      {"the longest waits", longestWaits},
      {"more failures than kept", manyFailures},
  };
  for (const Case &c : cases)
    ExpectBounded(Decode(c.bytes), c.what);

  std::mt19937 random(20261208);
  for (int i = 0; i < 2000; ++i) {
    std::vector<uint8_t> bytes(random() % 257);
    for (uint8_t &byte : bytes)
      byte = static_cast<uint8_t>(random());
    ExpectBounded(Decode(bytes), "random input " + std::to_string(i));
    if (HasFailure())
      break;
  }
}

// One input of each kind of operation, decoded as the target applies it.
TEST(ProgramSequence, OperationsDecodeToTheirEvents) {
  const ProgramSequence sequence =
      Decode({1, 12, 0, 13, 8, 19, 0, 2, 1, 0x0B, 0x73, 2, 0x81, 7, 160, 120, 10, 1, 11, 1});
  EXPECT_EQ(DescribeProgramSequence(sequence), "pass 0: next box answered 6\n"
                                               "pass 0: display modes refused\n"
                                               "pass 0: fail CreateWindowExA #4\n"
                                               "pass 3: key down 115 alt\n"
                                               "pass 3: key up 32 (to the focused window)\n"
                                               "pass 3: resize 640x480\n"
                                               "pass 3: message sent 0x112 0xf170\n"
                                               "pass 3: next box answered 6\n"
                                               "pass 4: close\n"
                                               "pass 5: key down 27\n"
                                               "pass 6: quit request\n"
                                               "pass 7: close\n"
                                               "pass 8: key down 27\n"
                                               "pass 9: close\n"
                                               "pass 10: quit request\n"
                                               "pass 11: close\n");
}

} // namespace
