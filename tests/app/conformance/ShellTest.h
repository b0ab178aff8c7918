// Fixture for the shell's tests: a fresh platform (on whichever backend the
// suite is built for) and program state, run inside a temporary working
// directory that holds three small valid texture files, with a frame-pass
// limit so that a broken loop cannot hang.
#ifndef QUELLOR_TESTS_SHELL_TEST_H
#define QUELLOR_TESTS_SHELL_TEST_H

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "PlatformFixture.h"

class ShellTest : public PlatformTest {
protected:
  // A run that reaches this many frame passes is ended by a quit message
  // whose parameter (0xDEAD) no test expects.
  static const int kFramePassLimit = 200;

  void SetUp() override;
  void TearDown() override;

  // Removes one of the texture files from the working directory.
  void RemoveTexture(const char *name);

  // Runs the program's entry as the platform's start-up would.
  int RunProgram();

  // A message posted before the frame pass it is due at.
  struct Posted {
    int pass;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  // Answers the start question, posts the messages and runs the program.
  int RunAnswering(int answer, std::initializer_list<Posted> posted);

  // Platform calls made so far with the given name.
  int CountCalls(const std::string &name);
  // Position in the call log of the first call with the given name at or
  // after `from`, or -1.
  int FindCall(const std::string &name, int from = 0);
  // Positions of every call with the given name.
  std::vector<int> CallPositions(const std::string &name);

  // Frames drawn so far: RenderFrame pauses exactly once per frame.
  int FramesRendered() { return CountCalls("Sleep"); }

  // Requires that the index-th message box shown had no owner and these
  // text, title and style.
  void ExpectMessageBox(size_t index, const char *text, const char *title, UINT style);

  // Requires that nothing is held any more: no window, context or class.
  void ExpectNothingHeld();

private:
  std::string originalDirectory_;
  std::string workDirectory_;
};

#endif
