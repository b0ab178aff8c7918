// The hook every substitute platform function passes through on entry. While
// no test or tool watches the calls, every call proceeds and costs nothing;
// while one does, each call is recorded with its arguments and can be made to
// fail, so tests can drive each failure path of the program.
#ifndef QUELLOR_HOOK_PLATFORM_CALLS_H
#define QUELLOR_HOOK_PLATFORM_CALLS_H

#include <cstdint>
#include <string>

namespace platform {

// True while platform calls are watched: they are recorded, or a failure is
// waiting to be injected. While it is false every call proceeds, and the
// functions need not format their arguments for CallFails.
bool CallsWatched();

// Called first by each platform function with its name and its arguments
// formatted as text. Returns true when the call must fail (the function then
// returns its failure value without doing anything).
bool CallFails(const char *name, const std::string &arguments);

// True when Sleep must return at once instead of pausing (headless runs that
// skip the frame pause).
bool SleepSkipped();

// True when the memory available to the process is given (headless runs that
// try how the program fares with little memory); bytes receives the figure.
bool AvailableMemoryOverride(uint64_t *bytes);

// Whether Sleep skips its pauses while no test has chosen (SetRealSleep):
// the backend's choice, which the core hands over before main.
void SetBackendSkipsPauses(bool skipped);

// Forgets the log, the faults and the actions, and starts watching: calls
// are logged and pauses skipped (part of the core's reset).
void ResetCallHook();

} // namespace platform

#endif
