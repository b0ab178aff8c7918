// The entry hook of every platform function: while calls are watched, records
// the call and decides whether it must fail. Its state is one record with one
// reset, which the core's reset calls.
#include "hook/CallControl.h"
#include "hook/PlatformCalls.h"

#include <utility>

namespace {

struct Fault {
  std::string name;
  int nth;  // 0: every call
  int seen; // calls of this name since the fault was set
};

struct HookState {
  std::vector<platform::control::PlatformCall> callLog;
  std::vector<Fault> faults;
  // Actions to run at the next call of a name, in the order they were given.
  std::vector<std::pair<std::string, std::function<void()>>> actions;
  bool logging = false;
  int realSleep = -1; // -1: as the backend has it
  bool memoryGiven = false;
  uint64_t memoryAvailable = 0;
};

HookState hook;
// Apart from the record: the core hands it over before main, while the
// record may not be constructed yet, and no reset changes it.
bool backendSkipsPauses = false;

// Counts the call against every fault set for this name; a fault for one
// particular call is used up by it.
bool ConsumeFault(const char *name) {
  bool fails = false;
  for (auto fault = hook.faults.begin(); fault != hook.faults.end();) {
    if (fault->name != name) {
      ++fault;
      continue;
    }
    ++fault->seen;
    if (fault->nth == 0 || fault->seen == fault->nth)
      fails = true;
    if (fault->nth != 0 && fault->seen >= fault->nth)
      fault = hook.faults.erase(fault);
    else
      ++fault;
  }
  return fails;
}

} // namespace

namespace platform {

bool CallsWatched() { return hook.logging || !hook.faults.empty() || !hook.actions.empty(); }

bool CallFails(const char *name, const std::string &arguments) {
  for (auto action = hook.actions.begin(); action != hook.actions.end(); ++action) {
    if (action->first == name) {
      std::function<void()> run = std::move(action->second);
      hook.actions.erase(action);
      run();
      break;
    }
  }
  const bool fails = !hook.faults.empty() && ConsumeFault(name);
  if (hook.logging)
    hook.callLog.push_back({name, arguments, fails});
  return fails;
}

bool SleepSkipped() { return hook.realSleep < 0 ? backendSkipsPauses : hook.realSleep == 0; }

void SetBackendSkipsPauses(bool skipped) { backendSkipsPauses = skipped; }

bool AvailableMemoryOverride(uint64_t *bytes) {
  if (hook.memoryGiven)
    *bytes = hook.memoryAvailable;
  return hook.memoryGiven;
}

// The log keeps its capacity: a test's first calls allocate no more than
// its last ones did.
void ResetCallHook() {
  hook.callLog.clear();
  hook.faults.clear();
  hook.actions.clear();
  hook.logging = true;
  hook.realSleep = 0;
  hook.memoryGiven = false;
}

namespace control {

const std::vector<PlatformCall> &CallLog() { return hook.callLog; }

void ClearCallLog() { hook.callLog.clear(); }

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  names.reserve(hook.callLog.size());
  for (const PlatformCall &call : hook.callLog)
    names.push_back(call.name);
  return names;
}

void SetCallLogging(bool on) { hook.logging = on; }

void FailCall(const std::string &name, int nth) { hook.faults.push_back({name, nth, 0}); }

void BeforeCall(const std::string &name, std::function<void()> action) {
  hook.actions.emplace_back(name, std::move(action));
}

void SetRealSleep(bool real) { hook.realSleep = real ? 1 : 0; }

void SetAvailableMemory(uint64_t bytes) {
  hook.memoryGiven = true;
  hook.memoryAvailable = bytes;
}

} // namespace control

} // namespace platform
