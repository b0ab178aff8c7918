// The calling thread's last error code, set by the calls that document it.
// Questions that cannot fail: they do not pass the call hook.
#include <windows.h>

namespace {

thread_local DWORD lastError = 0;

} // namespace

DWORD WINAPI GetLastError(void) { return lastError; }

void WINAPI SetLastError(DWORD error) { lastError = error; }
