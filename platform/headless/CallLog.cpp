// The entry hook of every platform function: records the call and decides
// whether it must fail.
#include "Backend.h"
#include "HeadlessControl.h"

#include <PlatformCalls.h>

#include <vector>

namespace {

struct Fault {
  std::string name;
  int nth;  // 0: every call
  int seen; // calls of this name since the fault was set
};

std::vector<headless::PlatformCall> callLog;
std::vector<Fault> faults;
bool logging = true;
bool realSleep = false;
bool memoryGiven = false;
uint64_t memoryAvailable = 0;

// Counts the call against every fault set for this name; a fault for one
// particular call is used up by it.
bool ConsumeFault(const std::string &name) {
  bool fails = false;
  for (auto fault = faults.begin(); fault != faults.end();) {
    if (fault->name != name) {
      ++fault;
      continue;
    }
    ++fault->seen;
    if (fault->nth == 0 || fault->seen == fault->nth) {
      fails = true;
    }
    if (fault->nth != 0 && fault->seen >= fault->nth) {
      fault = faults.erase(fault);
    } else {
      ++fault;
    }
  }
  return fails;
}

} // namespace

namespace platform {

bool CallsWatched() { return logging || !faults.empty(); }

bool CallFails(const char *name, const std::string &arguments) {
  bool fails = ConsumeFault(name);
  if (logging) {
    callLog.push_back({name, arguments, fails});
  }
  return fails;
}

bool SleepSkipped() { return !realSleep; }

bool AvailableMemoryOverride(uint64_t *bytes) {
  if (memoryGiven) {
    *bytes = memoryAvailable;
  }
  return memoryGiven;
}

} // namespace platform

namespace headless {

const std::vector<PlatformCall> &CallLog() { return callLog; }

void ClearCallLog() { callLog.clear(); }

std::vector<std::string> CallNames() {
  std::vector<std::string> names;
  names.reserve(callLog.size());
  for (const PlatformCall &call : callLog) {
    names.push_back(call.name);
  }
  return names;
}

void FailCall(const std::string &name, int nth) { faults.push_back({name, nth, 0}); }

void SetCallLogging(bool on) { logging = on; }

void SetRealSleep(bool real) { realSleep = real; }

void SetAvailableMemory(uint64_t bytes) {
  memoryGiven = true;
  memoryAvailable = bytes;
}

namespace backend {

void ResetCallLog() {
  callLog.clear();
  faults.clear();
  logging = true;
  realSleep = false;
  memoryGiven = false;
}

} // namespace backend

} // namespace headless
