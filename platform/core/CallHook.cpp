// The entry hook of every platform function: while calls are watched, records
// the call and decides whether it must fail.
#include "Core.h"
#include "PlatformControl.h"

#include <PlatformCalls.h>

namespace {

struct Fault {
  std::string name;
  int nth;  // 0: every call
  int seen; // calls of this name since the fault was set
};

std::vector<platform::control::PlatformCall> callLog;
std::vector<Fault> faults;
// Actions to run at the next call of a name, in the order they were given.
std::vector<std::pair<std::string, std::function<void()>>> actions;
bool logging = false;
int realSleep = -1; // -1: as the backend has it
bool memoryGiven = false;
uint64_t memoryAvailable = 0;

// Counts the call against every fault set for this name; a fault for one
// particular call is used up by it.
bool ConsumeFault(const char *name) {
  bool fails = false;
  for (auto fault = faults.begin(); fault != faults.end();) {
    if (fault->name != name) {
      ++fault;
      continue;
    }
    ++fault->seen;
    if (fault->nth == 0 || fault->seen == fault->nth)
      fails = true;
    if (fault->nth != 0 && fault->seen >= fault->nth)
      fault = faults.erase(fault);
    else
      ++fault;
  }
  return fails;
}

} // namespace

namespace platform {

bool CallsWatched() { return logging || !faults.empty() || !actions.empty(); }

bool CallFails(const char *name, const std::string &arguments) {
  for (auto action = actions.begin(); action != actions.end(); ++action) {
    if (action->first == name) {
      std::function<void()> run = std::move(action->second);
      actions.erase(action);
      run();
      break;
    }
  }
  const bool fails = !faults.empty() && ConsumeFault(name);
  if (logging)
    callLog.push_back({name, arguments, fails});
  return fails;
}

bool SleepSkipped() { return realSleep < 0 ? core::activeBackend.pausesSkipped : realSleep == 0; }

bool AvailableMemoryOverride(uint64_t *bytes) {
  if (memoryGiven)
    *bytes = memoryAvailable;
  return memoryGiven;
}

namespace control {

const std::vector<PlatformCall> &CallLog() { return callLog; }

void ClearCallLog() { callLog.clear(); }

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  names.reserve(callLog.size());
  for (const PlatformCall &call : callLog)
    names.push_back(call.name);
  return names;
}

void SetCallLogging(bool on) { logging = on; }

void FailCall(const std::string &name, int nth) { faults.push_back({name, nth, 0}); }

void BeforeCall(const std::string &name, std::function<void()> action) {
  actions.emplace_back(name, std::move(action));
}

void SetRealSleep(bool real) { realSleep = real ? 1 : 0; }

void SetAvailableMemory(uint64_t bytes) {
  memoryGiven = true;
  memoryAvailable = bytes;
}

} // namespace control

void core::ResetCallHook() {
  callLog.clear();
  faults.clear();
  actions.clear();
  logging = true;
  realSleep = 0;
  memoryGiven = false;
}

} // namespace platform
