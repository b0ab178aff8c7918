// Window classes and the stock icons and cursors they name.
#include "core/Core.h"
#include "hook/CallArguments.h"
#include "hook/Handles.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace platform::core {

namespace {

bool IsIntegerResource(LPCSTR name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

// Class names compare without regard to case, as on Windows.
bool SameName(const std::string &a, const char *b) {
  return a.size() == std::strlen(b) && std::equal(a.begin(), a.end(), b, [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A class is named by its string or by the atom RegisterClassA returned,
// given in place of the string.
WindowClass *LookUpClass(const char *name) {
  if (!name)
    return nullptr;
  const uintptr_t atom = reinterpret_cast<uintptr_t>(name);
  for (WindowClass &windowClass : state.windows.classes) {
    if (IsIntegerResource(name) ? windowClass.atom == atom : SameName(windowClass.name, name))
      return &windowClass;
  }
  return nullptr;
}

// The program has no resources of its own; the system's are named by their
// numbers, with a null instance.
void *StockResource(HandleKind kind, HINSTANCE instance, LPCSTR name, bool stock) {
  if (instance || !IsIntegerResource(name) || !stock)
    return nullptr;
  return MakeHandle(kind, static_cast<unsigned>(reinterpret_cast<uintptr_t>(name)));
}

} // namespace

WNDPROC ClassProcedure(const char *name, std::string *canonicalName) {
  const WindowClass *windowClass = LookUpClass(name);
  if (!windowClass)
    return nullptr;
  *canonicalName = windowClass->name;
  return windowClass->procedure;
}

int RegisteredClassCount() { return static_cast<int>(state.windows.classes.size()); }

} // namespace platform::core

using namespace platform::core;

ATOM WINAPI RegisterClassA(const WNDCLASSA *windowClass) {
  if (platform::CallFails("RegisterClassA", platform::CallArguments(windowClass)))
    return 0;
  if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
      IsIntegerResource(windowClass->lpszClassName) || LookUpClass(windowClass->lpszClassName))
    return 0;
  state.windows.classes.push_back(
      {windowClass->lpszClassName, windowClass->lpfnWndProc, state.windows.nextAtom});
  return state.windows.nextAtom++;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (platform::CallFails("UnregisterClassA", platform::CallArguments(className, instance)))
    return FALSE;
  WindowClass *windowClass = LookUpClass(className);
  // As on Windows, a class cannot go while windows of it exist.
  if (!windowClass || ClassInUse(windowClass->name))
    return FALSE;
  state.windows.classes.erase(state.windows.classes.begin() +
                              (windowClass - state.windows.classes.data()));
  return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadIconA", platform::CallArguments(instance, name)))
    return nullptr;
  // IDI_APPLICATION (32512) to IDI_SHIELD (32518).
  const uintptr_t id = reinterpret_cast<uintptr_t>(name);
  return static_cast<HICON>(
      StockResource(HandleKind::Icon, instance, name, id >= 32512 && id <= 32518));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (platform::CallFails("LoadCursorA", platform::CallArguments(instance, name)))
    return nullptr;
  // IDC_ARROW (32512) to IDC_UPARROW (32516) and IDC_SIZE (32640) to
  // IDC_HELP (32651).
  const uintptr_t id = reinterpret_cast<uintptr_t>(name);
  const bool stock = (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651);
  return static_cast<HCURSOR>(StockResource(HandleKind::Cursor, instance, name, stock));
}
