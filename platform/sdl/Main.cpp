// The desktop program's entry: hands over to WinMain as Windows' start-up code
// does, with the command line after the program's name.
//
// Implements: main. Not part of the backend's table, nor of programs that
// have a main of their own (tests, tools).
#include <windows.h>

#include <string>

int main(int argc, char **argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1)
      commandLine += ' ';
    commandLine += argv[i];
  }
  return WinMain(GetModuleHandleA(nullptr), nullptr, &commandLine[0], SW_SHOWNORMAL);
}
