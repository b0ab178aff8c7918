// The native probe's entry, as the platform's start-up calls a Win32
// program's.
#include <windows.h>

int main() { return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL); }
