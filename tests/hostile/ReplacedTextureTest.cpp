// A texture file replaced by a directory, or by a file that may not be read.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "HeadlessFixture.h"
#include "HostileRun.h"
#include "ScratchDirectory.h"

namespace {

// The user the unreadable-file case runs as when the tests run as root,
// whom permission bits do not stop: "nobody".
const uid_t kUnprivilegedId = 65534;

class ReplacedTextureTest : public HeadlessTest {};

TEST_F(ReplacedTextureTest, DirectoryIsReportedAsAFileThatCannotBeOpened) {
  ScratchDirectory directory;
  ASSERT_TRUE(directory.ok());
  ASSERT_EQ(std::remove(kHostileTexture), 0);
  ASSERT_EQ(mkdir(kHostileTexture, 0755), 0);
  // fopen accepts a directory here, so the loader sees it, and refuses it.
  ExpectSceneSetUpFailure(RunWithHostileTexture(), {OpenFailureText()});
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
