// GlobalMemoryStatusEx on this machine: figures that agree with each other,
// a limit on the address space, and the figure tests give in its place.
#include "PlatformFixture.h"

#include <PlatformControl.h>
#include <windows.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

using MemoryStatusTest = PlatformTest;

MEMORYSTATUSEX Status() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  EXPECT_TRUE(GlobalMemoryStatusEx(&status));
  return status;
}

TEST_F(MemoryStatusTest, FiguresOfThisMachineAgreeWithEachOther) {
  MEMORYSTATUSEX status = Status();
  EXPECT_GT(status.ullTotalPhys, uint64_t{64} << 20);
  EXPECT_GT(status.ullAvailPhys, 0u);
  EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
  EXPECT_LE(status.dwMemoryLoad, 100u);
  EXPECT_GE(status.ullTotalPageFile, status.ullTotalPhys);
  EXPECT_GE(status.ullAvailPageFile, status.ullAvailPhys);
  EXPECT_GT(status.ullAvailVirtual, 0u);
  EXPECT_LE(status.ullAvailVirtual, status.ullTotalVirtual);

  MEMORYSTATUSEX wrongLength = {};
  wrongLength.dwLength = sizeof wrongLength - 1;
  EXPECT_FALSE(GlobalMemoryStatusEx(&wrongLength));
  EXPECT_FALSE(GlobalMemoryStatusEx(nullptr));
}

TEST_F(MemoryStatusTest, AGivenFigureTakesThePlaceOfThePhysicalOneUntilReset) {
  uint64_t machine = Status().ullAvailPhys;
  control::SetAvailableMemory(12345);
  EXPECT_EQ(Status().ullAvailPhys, 12345u);
  control::Reset();
  uint64_t again = Status().ullAvailPhys;
  // The machine's figure moves a little while the tests run.
  EXPECT_GT(again, machine / 2);
}

// In a child process, since the limit cannot be lifted again: the address
// space left is the limit less what the process has mapped.
TEST_F(MemoryStatusTest, ALimitOnTheAddressSpaceIsTheVirtualTotal) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    long pages = 0;
    FILE *statm = std::fopen("/proc/self/statm", "r");
    bool read = statm && std::fscanf(statm, "%ld", &pages) == 1;
    if (statm) {
      std::fclose(statm);
    }
    uint64_t mapped = static_cast<uint64_t>(pages) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t room = uint64_t{1} << 30;
    struct rlimit limit = {mapped + room, RLIM_INFINITY};
    if (!read || setrlimit(RLIMIT_AS, &limit) != 0) {
      _exit(2);
    }
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    bool agrees = GlobalMemoryStatusEx(&status) && status.ullTotalVirtual == mapped + room &&
                  status.ullAvailVirtual <= room && status.ullAvailVirtual > room / 2;
    _exit(agrees ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
