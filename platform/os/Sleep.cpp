#include "CallArguments.h"

#include <PlatformCalls.h>

#include <cerrno>
#include <ctime>

void WINAPI Sleep(DWORD milliseconds) {
  if (platform::CallFails("Sleep", platform::CallArguments(milliseconds))) {
    return;
  }
  if (platform::SleepSkipped()) {
    return;
  }
  timespec remaining = {static_cast<time_t>(milliseconds / 1000),
                        static_cast<long>(milliseconds % 1000) * 1000000L};
  // A signal cuts the pause short; the rest is slept after it.
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}
