// The command line of quellor-snapshot and the files it names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SnapshotOptions.h"

namespace {

using snapshot::SnapshotOptions;

SnapshotOptions Parse(const std::vector<std::string> &arguments) {
  SnapshotOptions options;
  std::string error;
  EXPECT_TRUE(snapshot::ParseSnapshotOptions(arguments, &options, &error)) << error;
  return options;
}

std::string ErrorFor(const std::vector<std::string> &arguments) {
  SnapshotOptions options;
  std::string error;
  EXPECT_FALSE(snapshot::ParseSnapshotOptions(arguments, &options, &error));
  return error;
}

TEST(SnapshotOptionsTest, ReadsEveryOptionAndDefaultsToOneFrame) {
  SnapshotOptions options = Parse({"--out", "a.png"});
  EXPECT_EQ(options.outPath, "a.png");
  EXPECT_EQ(options.frames, 1);
  EXPECT_TRUE(options.spaceAt.empty());
  EXPECT_EQ(options.every, 0);
  EXPECT_EQ(options.texturesDir, "");
  EXPECT_FALSE(options.help);

  options = Parse({"--space-at", "3", "--frames", "40", "--textures", "pics", "--space-at", "7",
                   "--every", "10", "--out", "dir/run.png", "--space-at", "3"});
  EXPECT_EQ(options.outPath, "dir/run.png");
  EXPECT_EQ(options.frames, 40);
  EXPECT_EQ(options.spaceAt, (std::vector<int>{3, 7, 3}));
  EXPECT_EQ(options.every, 10);
  EXPECT_EQ(options.texturesDir, "pics");

  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"--help", "--frames", "zero"}).help) << "help wins over what follows";
}

TEST(SnapshotOptionsTest, RejectsBadCommandLinesWithAMessageNamingTheProblem) {
  struct Case {
    std::vector<std::string> arguments;
    const char *mentions;
  };
  const Case cases[] = {
      {{}, "--out"},
      {{"--frames", "5"}, "--out"},
      {{"--out", "a.png", "--size", "3"}, "--size"},
      {{"--out"}, "needs a value"},
      {{"--out", "a.png", "--frames"}, "needs a value"},
      {{"--out", "a.bmp"}, "a.bmp"},
      {{"--out", ".png"}, "'.png'"},
      {{"--out", "a.png", "--out", "b.png"}, "twice"},
      {{"--out", "a.png", "--frames", "2", "--frames", "3"}, "twice"},
      {{"--out", "a.png", "--every", "1", "--every", "1"}, "twice"},
      {{"--out", "a.png", "--textures", "x", "--textures", "y"}, "twice"},
      {{"--out", "a.png", "--textures", ""}, "--textures"},
      {{"--out", "a.png", "--frames", "0"}, "'0'"},
      {{"--out", "a.png", "--frames", "-4"}, "'-4'"},
      {{"--out", "a.png", "--frames", "+4"}, "'+4'"},
      {{"--out", "a.png", "--frames", " 4"}, "' 4'"},
      {{"--out", "a.png", "--frames", "4x"}, "'4x'"},
      {{"--out", "a.png", "--frames", "100000"}, "99999"},
      {{"--out", "a.png", "--frames", "99999999999999999999"}, "99999"},
      {{"--out", "a.png", "--every", "two"}, "--every"},
      {{"--out", "a.png", "--space-at", "0"}, "--space-at"},
      {{"--out", "a.png", "--frames", "5", "--space-at", "6"}, "after the last frame"},
      {{"--out", "a.png", "--frames", "5", "--every", "6"}, "writes nothing"},
  };
  for (const Case &c : cases) {
    std::string joined;
    for (const std::string &argument : c.arguments)
      joined += "[" + argument + "]";
    SCOPED_TRACE(joined);
    EXPECT_NE(ErrorFor(c.arguments).find(c.mentions), std::string::npos) << ErrorFor(c.arguments);
  }
}

TEST(SnapshotOptionsTest, WritesTheLastFrameOrEveryKthUnderNumberedNames) {
  SnapshotOptions last = Parse({"--out", "out/shot.png", "--frames", "12"});
  SnapshotOptions every = Parse({"--out", "out/shot.png", "--frames", "12", "--every", "5"});
  std::vector<int> lastFrames, everyFrames;
  for (int frame = 1; frame <= 12; ++frame) {
    if (snapshot::IsSnapshotFrame(last, frame))
      lastFrames.push_back(frame);
    if (snapshot::IsSnapshotFrame(every, frame))
      everyFrames.push_back(frame);
  }
  EXPECT_EQ(lastFrames, std::vector<int>{12});
  EXPECT_EQ(everyFrames, (std::vector<int>{5, 10}));

  EXPECT_EQ(snapshot::SnapshotFileName(last, 12), "out/shot.png");
  EXPECT_EQ(snapshot::SnapshotFileName(every, 5), "out/shot-00005.png");
  EXPECT_EQ(snapshot::SnapshotFileName(every, 10), "out/shot-00010.png");
  EXPECT_EQ(snapshot::SnapshotFileName(every, 99999), "out/shot-99999.png");
  SnapshotOptions dotted = Parse({"--out", "a.b.png", "--every", "1"});
  EXPECT_EQ(snapshot::SnapshotFileName(dotted, 1), "a.b-00001.png");
}

} // namespace

// The page's snapshot mode reads its frame options with the tool's rules and
// refuses the tool's other options.
TEST(SnapshotOptionsTest, ThePageReadsOnlyTheFrameOptions) {
  snapshot::SnapshotFrames frames;
  std::string error;
  ASSERT_TRUE(snapshot::ParseSnapshotFrames({}, &frames, &error)) << error;
  EXPECT_EQ(frames.frames, 0) << "no arguments: not a snapshot";
  ASSERT_TRUE(snapshot::ParseSnapshotFrames(
      {"--frames", "60", "--space-at", "2", "--space-at", "1"}, &frames, &error))
      << error;
  EXPECT_EQ(frames.frames, 60);
  EXPECT_EQ(frames.spaceAt, (std::vector<int>{2, 1}));

  const std::pair<std::vector<std::string>, const char *> refused[] = {
      {{"--out", "a.png"}, "--out"},
      {{"--frames", "5", "--every", "5"}, "--every"},
      {{"--space-at", "1"}, "needs --frames"},
      {{"--frames", "5", "--space-at", "6"}, "after the last frame"},
      {{"--frames", "2", "--frames", "3"}, "twice"},
      {{"--frames", "0"}, "99999"},
      {{"--frames"}, "needs a value"},
  };
  for (const auto &[arguments, mentions] : refused) {
    SCOPED_TRACE(mentions);
    EXPECT_FALSE(snapshot::ParseSnapshotFrames(arguments, &frames, &error));
    EXPECT_NE(error.find(mentions), std::string::npos) << error;
  }
}
