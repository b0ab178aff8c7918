// The complete scene with its textures and lights, as the program sets it up:
// reference pictures, and the animation across a window recreation.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AppState.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "PngWriter.h"
#include "SceneWindow.h"
#include "SnapshotOptions.h"
#include "SnapshotScene.h"

namespace {

const std::string kReferenceDir = QUELLOR_SOURCE_DIR "/tests/scene/references";

// A channel may differ by one step of the 5-bit colour channels; a few
// pixels may differ more, along edges where rasterisers round differently.
const int kChannelTolerance = 8;
const double kDifferingFraction = 0.002;

// Works in the directory the build puts the texture files in, as the program
// runs beside them.
class TexturedSceneTest : public PlatformTest {
protected:
  void SetUp() override {
    PlatformTest::SetUp();
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(QUELLOR_RUNTIME_DIR);
  }
  void TearDown() override {
    snapshot::StopSnapshotScene();
    std::filesystem::current_path(previous_);
  }

private:
  std::filesystem::path previous_;
};

struct ReferenceLine {
  std::string file;
  std::vector<std::string> options;
};

std::vector<ReferenceLine> ReadReferenceList() {
  std::vector<ReferenceLine> lines;
  std::ifstream list(kReferenceDir + "/pictures.txt");
  std::string text;
  while (std::getline(list, text)) {
    std::istringstream words(text);
    ReferenceLine line;
    if (!(words >> line.file) || line.file[0] == '#')
      continue;
    for (std::string word; words >> word;)
      line.options.push_back(word);
    lines.push_back(line);
  }
  return lines;
}

// The picture in the file, bottom row first as OpenGL reads it; empty when
// the file cannot be read.
snapshot::Picture ReadPng(const std::string &path) {
  snapshot::Picture picture;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    return picture;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  const png_int_32 stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), stride, nullptr))
    return picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels = std::move(pixels);
  return picture;
}

::testing::AssertionResult PicturesMatch(const snapshot::Picture &actual,
                                         const snapshot::Picture &expected) {
  if (actual.width != expected.width || actual.height != expected.height)
    return ::testing::AssertionFailure()
           << "size " << actual.width << "x" << actual.height << ", expected " << expected.width
           << "x" << expected.height;
  size_t differing = 0;
  for (size_t i = 0; i < actual.pixels.size(); i += 3) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(actual.pixels[i + c] - expected.pixels[i + c]) > kChannelTolerance) {
        ++differing;
        break;
      }
    }
  }
  const size_t allowed = static_cast<size_t>(kDifferingFraction * actual.width * actual.height);
  if (differing > allowed)
    return ::testing::AssertionFailure()
           << differing << " pixels differ, at most " << allowed << " may";
  return ::testing::AssertionSuccess();
}

TEST_F(TexturedSceneTest, FramesMatchTheReferencePictures) {
  const std::vector<ReferenceLine> references = ReadReferenceList();
  ASSERT_FALSE(references.empty()) << "no reference pictures listed in " << kReferenceDir;
  for (const ReferenceLine &reference : references) {
    SCOPED_TRACE(reference.file);
    std::vector<std::string> arguments = {"--out", reference.file};
    arguments.insert(arguments.end(), reference.options.begin(), reference.options.end());
    snapshot::SnapshotOptions options;
    std::string error;
    ASSERT_TRUE(snapshot::ParseSnapshotOptions(arguments, &options, &error)) << error;
    ASSERT_TRUE(snapshot::StartSnapshotScene(&error))
        << error << "\n(the texture files are made by the build in " << QUELLOR_RUNTIME_DIR << ")";

    snapshot::Picture picture;
    snapshot::RenderSnapshotFrames(options, [&picture](int, const snapshot::Picture &last) {
      picture = last;
      return true;
    });
    snapshot::StopSnapshotScene();

    const snapshot::Picture expected = ReadPng(kReferenceDir + "/" + reference.file);
    ASSERT_FALSE(expected.pixels.empty()) << "cannot read the reference picture";
    const ::testing::AssertionResult match = PicturesMatch(picture, expected);
    if (!match) {
      const std::string actualPath = QUELLOR_TEST_OUTPUT_DIR "/actual-" + reference.file;
      snapshot::WritePicturePng(actualPath, picture, &error);
      ADD_FAILURE() << match.message() << "; this run's picture is in " << actualPath;
    }
  }
}

TEST_F(TexturedSceneTest, AnimationCarriesOnAcrossAWindowRecreation) {
  snapshot::SnapshotOptions options;
  std::string error;
  ASSERT_TRUE(snapshot::ParseSnapshotOptions(
      {"--out", "unused.png", "--frames", "601", "--space-at", "601"}, &options, &error));
  ASSERT_TRUE(snapshot::StartSnapshotScene(&error)) << error;
  snapshot::RenderSnapshotFrames(options, [](int, const snapshot::Picture &) { return true; });
  const AppState before = appState;

  DestroySceneWindow();
  appState.isFullscreen = 1;
  ASSERT_EQ(CreateSceneWindow(), 1);

  EXPECT_EQ(appState.followCamera, 1);
  EXPECT_EQ(appState.wanderX, before.wanderX);
  EXPECT_EQ(appState.wanderZ, before.wanderZ);
  EXPECT_EQ(appState.wanderAngle, before.wanderAngle);
  EXPECT_EQ(appState.wanderPhase, 2);
  EXPECT_EQ(appState.wanderCounter, 601.0f);
  EXPECT_EQ(appState.shuttleX, before.shuttleX);
  EXPECT_EQ(appState.shuttleDirection, 1);
  EXPECT_EQ(appState.shuttleCounter, 601.0f);
  EXPECT_EQ(appState.shuttleAngle, before.shuttleAngle);
}

// A snapshot holds nothing more after 1,000 frames than after 100: a long
// run of quellor-snapshot must not grow with its frames. What the platform
// keeps for a watcher (its call log) is measured as the snapshot leaves it.
TEST_F(TexturedSceneTest, ALongSnapshotKeepsNoMoreThanAShortOne) {
  struct Held {
    size_t calls = 0, bytes = 0;
  };
  const auto heldAfter = [](int frames) {
    snapshot::SnapshotOptions options;
    std::string error;
    EXPECT_TRUE(snapshot::ParseSnapshotOptions(
        {"--out", "unused.png", "--frames", std::to_string(frames)}, &options, &error));
    Held held;
    if (!snapshot::StartSnapshotScene(&error)) {
      ADD_FAILURE() << error;
      return held;
    }
    snapshot::RenderSnapshotFrames(options, [](int, const snapshot::Picture &) { return true; });
    for (const control::PlatformCall &call : control::CallLog()) {
      ++held.calls;
      held.bytes += sizeof call + call.name.capacity() + call.arguments.capacity();
    }
    snapshot::StopSnapshotScene();
    return held;
  };
  const Held shortRun = heldAfter(100);
  const Held longRun = heldAfter(1000);
  std::printf("call log after 100 and 1,000 frames: %zu and %zu calls, %zu and %zu bytes\n",
              shortRun.calls, longRun.calls, shortRun.bytes, longRun.bytes);
  EXPECT_EQ(longRun.calls, shortRun.calls);
  EXPECT_EQ(longRun.bytes, shortRun.bytes);
}

} // namespace
