#include "hook/CallArguments.h"

#include "hook/PlatformCalls.h"

// The program is the only module: its handle is the base address Windows
// gives a program's image. Other modules are not loaded.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  if (platform::CallFails("GetModuleHandleA", platform::CallArguments(moduleName))) {
    return nullptr;
  }
  if (moduleName) {
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}
