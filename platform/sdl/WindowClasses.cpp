// Window classes and the stock icons and cursors they name.
#include "CallArguments.h"
#include "PlatformCalls.h"
#include "SdlBackend.h"

#include <vector>

using sdlbackend::ClassRecord;

namespace {

std::vector<ClassRecord> classes;
ATOM nextAtom = 0xC000; // where Win32 numbers registered classes from

bool IsIntegerResource(LPCSTR name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

// Stock resources are named by small integers; their handles are opaque values
// that are never dereferenced.
template <typename Handle> Handle StockHandle(LPCSTR name, unsigned base) {
  return reinterpret_cast<Handle>(base + reinterpret_cast<uintptr_t>(name));
}

} // namespace

const ClassRecord *sdlbackend::FindClass(const char *name) {
  if (name == nullptr || IsIntegerResource(name))
    return nullptr;
  for (const ClassRecord &record : classes) {
    if (SDL_strcasecmp(record.name.c_str(), name) == 0)
      return &record;
  }
  return nullptr;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA *windowClass) {
  if (platform::CallFails(
          "RegisterClassA",
          platform::CallArguments(windowClass ? windowClass->lpszClassName : nullptr)))
    return 0;
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr || IsIntegerResource(windowClass->lpszClassName) ||
      sdlbackend::FindClass(windowClass->lpszClassName) != nullptr)
    return 0;
  classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hInstance});
  return nextAtom++;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (platform::CallFails("UnregisterClassA", platform::CallArguments(className, instance)))
    return FALSE;
  const ClassRecord *record = sdlbackend::FindClass(className);
  if (record == nullptr || sdlbackend::ClassInUse(record->name))
    return FALSE;
  classes.erase(classes.begin() + (record - classes.data()));
  return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadIconA",
                          platform::CallArguments(instance, static_cast<const void *>(name))))
    return nullptr;
  // The program has no icon resources of its own; the stock icons are
  // IDI_APPLICATION (32512) to IDI_SHIELD (32518).
  const uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (instance != nullptr || id < 32512 || id > 32518)
    return nullptr;
  return StockHandle<HICON>(name, 0x10000);
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadCursorA",
                          platform::CallArguments(instance, static_cast<const void *>(name))))
    return nullptr;
  // Stock cursors: IDC_ARROW (32512) to IDC_UPARROW (32516) and IDC_SIZE
  // (32640) to IDC_HELP (32651).
  const uintptr_t id = reinterpret_cast<uintptr_t>(name);
  const bool stock = (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651);
  if (instance != nullptr || !stock)
    return nullptr;
  return StockHandle<HCURSOR>(name, 0x20000);
}
