// A texture file replaced by something that is not a regular file (a
// directory, a named pipe, a device), or by a file that may not be read.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "BitmapLoader.h"
#include "HostileRun.h"
#include "PlatformControl.h"
#include "PlatformFixture.h"
#include "ScratchDirectory.h"

namespace {

// The user the unreadable-file case runs as when the tests run as root,
// whom permission bits do not stop: "nobody".
const uid_t kUnprivilegedId = 65534;

class ReplacedTextureTest : public PlatformTest {};

// Each ends start-up silently with 1, as a file that cannot be opened does,
// and nothing waits: a named pipe without a writer would block an open for
// good, so the alarm ends the whole test program if anything does.
TEST_F(ReplacedTextureTest, WhatIsNotARegularFileIsAFileThatCannotBeOpened) {
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  const struct {
    const char *what;
    int (*make)(const char *path);
  } kinds[] = {
      {"directory", [](const char *path) { return mkdir(path, 0755); }},
      {"named pipe", [](const char *path) { return mkfifo(path, 0644); }},
      {"device", [](const char *path) { return symlink("/dev/zero", path); }},
  };
  for (const auto &kind : kinds) {
    SCOPED_TRACE(kind.what);
    std::remove(kHostileTexture);
    ASSERT_EQ(kind.make(kHostileTexture), 0);
    alarm(60);
    ExpectSceneSetUpFailure(RunWithHostileTexture(), {});
    // The loader, given such a name directly, reports it as a file it
    // cannot open.
    RgbImage *image = LoadBitmapAsRgb(kHostileTexture, 0);
    alarm(0);
    EXPECT_EQ(image, nullptr);
    ASSERT_FALSE(control::MessageBoxesShown().empty());
    EXPECT_EQ(control::MessageBoxesShown().back().text, OpenFailureText());
    std::remove(kHostileTexture);
  }
}

// The unreadable file itself: the start-up test of the texture cannot open
// it, so the program ends silently with 1. Run by the test below in a
// process of its own under an unprivileged user; as a plain test it runs
// only where the permission bits bind the user running it.
TEST_F(ReplacedTextureTest, DISABLED_UnreadableFileAsUnprivilegedUser) {
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  ASSERT_EQ(chmod(kHostileTexture, 0), 0);
  ASSERT_EQ(std::fopen(kHostileTexture, "r"), nullptr) << "the permission bits do not bind us";
  ExpectSceneSetUpFailure(RunWithHostileTexture(), {});
}

TEST_F(ReplacedTextureTest, UnreadableFileEndsStartUpSilently) {
  // Runs the case above in a fresh process, as an unprivileged user when we
  // are root. A fresh process, because a forked copy of this one would
  // share its graphics driver's state.
  pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0))
      _exit(3);
    execl("/proc/self/exe", "quellor_hostile_tests", "--gtest_also_run_disabled_tests",
          "--gtest_filter=ReplacedTextureTest.DISABLED_UnreadableFileAsUnprivilegedUser",
          static_cast<char *>(nullptr));
    _exit(4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the child ended with signal " << WTERMSIG(status);
  EXPECT_NE(WEXITSTATUS(status), 3) << "could not drop privileges";
  EXPECT_NE(WEXITSTATUS(status), 4) << "could not start the child";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the case failed in the child; its output is above";
}

} // namespace
