#include "ShellTest.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "PlatformControl.h"

namespace {

// A 2x2 24-bit bitmap: 14-byte file header, 40-byte info header, then two
// rows of two blue-green-red pixels, each row padded to 8 bytes.
void WriteTinyBitmap(const std::string &path, unsigned char shade) {
  unsigned char file[70] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header
                            40,  0,   0,  0, 2, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0};
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 6; ++i)
      file[54 + 8 * row + i] = static_cast<unsigned char>(shade + 16 * row + i);
  FILE *out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr) << path;
  ASSERT_EQ(std::fwrite(file, 1, sizeof file, out), sizeof file);
  ASSERT_EQ(std::fclose(out), 0);
}

const char *const kTextureNames[] = {"tex1.bmp", "tex2.bmp", "tex3.bmp"};

} // namespace

void ShellTest::SetUp() {
  PlatformTest::SetUp();
  control::SetFramePassLimit(kFramePassLimit);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  originalDirectory_ = cwd;
  char pattern[] = "/tmp/quellor-shell-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  workDirectory_ = pattern;
  ASSERT_EQ(chdir(workDirectory_.c_str()), 0);
  unsigned char shade = 40;
  for (const char *name : kTextureNames) {
    WriteTinyBitmap(name, shade);
    shade += 60;
  }
}

void ShellTest::TearDown() {
  if (!workDirectory_.empty()) {
    for (const char *name : kTextureNames)
      std::remove((workDirectory_ + "/" + name).c_str());
    EXPECT_EQ(chdir(originalDirectory_.c_str()), 0);
    EXPECT_EQ(rmdir(workDirectory_.c_str()), 0);
  }
  PlatformTest::TearDown();
}

void ShellTest::RemoveTexture(const char *name) { ASSERT_EQ(std::remove(name), 0) << name; }

int ShellTest::RunProgram() { return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL); }

int ShellTest::RunAnswering(int answer, std::initializer_list<Posted> posted) {
  control::QueueMessageBoxAnswer(answer);
  for (const Posted &message : posted)
    control::PostBeforeFrame(message.pass, message.message, message.wParam, message.lParam);
  return RunProgram();
}

int ShellTest::CountCalls(const std::string &name) {
  return static_cast<int>(CallPositions(name).size());
}

int ShellTest::FindCall(const std::string &name, int from) {
  std::vector<std::string> names = control::CallNames();
  for (int i = from; i < static_cast<int>(names.size()); ++i)
    if (names[i] == name)
      return i;
  return -1;
}

std::vector<int> ShellTest::CallPositions(const std::string &name) {
  std::vector<std::string> names = control::CallNames();
  std::vector<int> positions;
  for (int i = 0; i < static_cast<int>(names.size()); ++i)
    if (names[i] == name)
      positions.push_back(i);
  return positions;
}

void ShellTest::ExpectNothingHeld() {
  control::LiveResources live = control::Live();
  EXPECT_EQ(live.windows, 0);
  EXPECT_EQ(live.deviceContexts, 0);
  EXPECT_EQ(live.renderingContexts, 0);
  EXPECT_EQ(live.registeredClasses, 0);
  EXPECT_FALSE(control::DisplayModeChanged());
  EXPECT_EQ(control::CursorCounter(), 0);
}

void ShellTest::ExpectMessageBox(size_t index, const char *text, const char *title, UINT style) {
  const std::vector<control::MessageBoxShown> &boxes = control::MessageBoxesShown();
  ASSERT_GT(boxes.size(), index);
  EXPECT_EQ(boxes[index].owner, nullptr);
  EXPECT_EQ(boxes[index].text, text);
  EXPECT_EQ(boxes[index].title, title);
  EXPECT_EQ(boxes[index].style, style);
}
