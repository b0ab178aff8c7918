// The base of the tests that run on the headless backend, and helpers they
// share.
#ifndef QUELLOR_TESTS_HEADLESS_FIXTURE_H
#define QUELLOR_TESTS_HEADLESS_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Each test starts with a fresh platform and a fresh program state.
class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override;
};

// Opens a 640x480 window of its own class with a current rendering context,
// through the platform functions, and stores the window, device context and
// rendering context in appState: enough for scene code to draw without the
// shell. Returns false when a step fails.
bool MakeTestContext();

// Writes RGB pixels, given bottom row first as OpenGL reads them, to a PNG
// file. Returns false when the file cannot be written.
bool WritePng(const std::string &path, const std::vector<unsigned char> &pixels, int width,
              int height);

#endif
