#include "hook/CallArguments.h"

#include "hook/PlatformCalls.h"

#include <cerrno>
#include <ctime>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

void WINAPI Sleep(DWORD milliseconds) {
  if (platform::CallFails("Sleep", platform::CallArguments(milliseconds))) {
    return;
  }
  if (platform::SleepSkipped()) {
    return;
  }
#ifdef __EMSCRIPTEN__
  // On a page the program pauses by returning to the browser until the time
  // is up, so that the page stays alive meanwhile.
  emscripten_sleep(milliseconds);
#else
  timespec remaining = {static_cast<time_t>(milliseconds / 1000),
                        static_cast<long>(milliseconds % 1000) * 1000000L};
  // A signal cuts the pause short; the rest is slept after it.
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
#endif
}
