// The backend's last failure reason: kept, logged through the call hook, and
// written to standard error once for each new reason, so that a display that
// cannot start or a context that cannot be made says why.
#include "core/Core.h"
#include "hook/CallArguments.h"

#include <cstdio>

namespace platform::core {

void SetBackendFailure(const char *reason) {
  reason = reason && *reason ? reason : "unknown failure";
  // Recording a failure cannot itself be made to fail: the hook only logs it.
  platform::CallFails("SetBackendFailure", platform::CallArguments(reason));
  if (state.backend.failure == reason)
    return;
  state.backend.failure = reason;
  std::fprintf(stderr, "%s backend: %s\n", activeBackend.name ? activeBackend.name : "unnamed",
               reason);
  std::fflush(stderr);
}

const char *BackendFailure() {
  return state.backend.failure.empty() ? nullptr : state.backend.failure.c_str();
}

} // namespace platform::core
