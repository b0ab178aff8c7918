// The call hook's controls for tests, benchmarks and tools: the log of
// platform calls, failures made to order, actions run at a named call, and
// the sleep and memory figures the hook hands to the os functions. Part of
// core/PlatformControl.h, which tests include.
#ifndef QUELLOR_HOOK_CALL_CONTROL_H
#define QUELLOR_HOOK_CALL_CONTROL_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::control {

struct PlatformCall {
  std::string name;      // "CreateWindowExA", "Sleep", ...
  std::string arguments; // the arguments as text, e.g. "640, 480"
  bool failed = false;   // the call was made to fail (see FailCall)
};

// Every platform call since the last Reset(), in order, with its arguments.
const std::vector<PlatformCall> &CallLog();
void ClearCallLog();
// Names only, in order; a convenience for comparing sequences.
std::vector<std::string> CallNames();

// Makes the nth call (1-based, counted from now) of the named function fail;
// nth 0 makes every call from now on fail.
void FailCall(const std::string &name, int nth = 1);

// Runs action once, when the next call of the named function is made, before
// the function does anything: a test changes the world at that moment (cuts
// a file short while it is mapped, say).
void BeforeCall(const std::string &name, std::function<void()> action);

// Whether calls are recorded in the log (true after Reset). Faults apply
// either way. With the log off and no fault set, the platform functions run
// as under the desktop backend, which formats none of their arguments: the
// benchmarks measure them so.
void SetCallLogging(bool on);

// Whether Sleep really pauses.
void SetRealSleep(bool real);
// The physical memory GlobalMemoryStatusEx reports as available, in place of
// the machine's figure, until the next Reset().
void SetAvailableMemory(uint64_t bytes);

} // namespace platform::control

#endif
