// The desktop program's entry: hands over to WinMain as Windows' start-up code
// does, with the command line after the program's name, and gives its result
// to the process exit as a status the shell can hold.
//
// Implements: main. Not part of the backend's table, nor of programs that
// have a main of their own (tests, tools).
#include <windows.h>

#include "os/ExitStatus.h"

#include <string>

int main(int argc, char **argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      commandLine += ' ';
    commandLine += argv[i];
  }
  return platform::ProcessExitStatus(
      WinMain(GetModuleHandleA(nullptr), nullptr, &commandLine[0], SW_SHOWNORMAL));
}
