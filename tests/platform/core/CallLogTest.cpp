#include "PlatformFixture.h"

#include <PlatformControl.h>

#include <cstdio>

using CallLogTest = PlatformTest;

TEST_F(CallLogTest, NthCallFaultFailsThatCallOnly) {
  LoadIconA(nullptr, IDI_WINLOGO); // counting starts when the fault is set
  control::FailCall("LoadIconA", 2);
  EXPECT_TRUE(LoadIconA(nullptr, IDI_WINLOGO));
  EXPECT_FALSE(LoadIconA(nullptr, IDI_WINLOGO));
  EXPECT_TRUE(LoadIconA(nullptr, IDI_WINLOGO));
  EXPECT_TRUE(LoadCursorA(nullptr, IDC_ARROW));

  const auto &log = control::CallLog();
  ASSERT_EQ(5u, log.size());
  EXPECT_EQ("LoadIconA", log[2].name);
  EXPECT_EQ("NULL, #32517", log[2].arguments);
  const bool failed[] = {false, false, true, false, false};
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(failed[i], log[i].failed) << i;
  }
}

TEST_F(CallLogTest, EveryCallFaultStaysUntilReset) {
  control::FailCall("GetModuleHandleA", 0);
  EXPECT_FALSE(GetModuleHandleA(nullptr));
  EXPECT_FALSE(GetModuleHandleA(nullptr));
  control::FailCall("Sleep", 0);
  Sleep(5000); // would pause if it were not made to fail
  EXPECT_EQ((std::vector<std::string>{"GetModuleHandleA", "GetModuleHandleA", "Sleep"}),
            control::CallNames());
  control::Reset();
  EXPECT_TRUE(GetModuleHandleA(nullptr));
  EXPECT_EQ(1u, control::CallLog().size());
}

// With the log off the calls leave no trace, yet a fault set meanwhile counts
// the calls from then on; calls made once the log is back on are recorded
// with all their arguments.
TEST_F(CallLogTest, FaultsApplyWithTheLogOffAndTheLogResumesWithArguments) {
  control::SetCallLogging(false);
  EXPECT_TRUE(GetModuleHandleA(nullptr));
  control::FailCall("GetModuleHandleA", 2);
  EXPECT_TRUE(GetModuleHandleA(nullptr));
  EXPECT_FALSE(GetModuleHandleA(nullptr));
  EXPECT_TRUE(GetModuleHandleA(nullptr));
  EXPECT_TRUE(control::CallLog().empty());

  control::SetCallLogging(true);
  HLOCAL block = LocalAlloc(LMEM_FIXED, 24);
  ASSERT_TRUE(block);
  EXPECT_EQ(nullptr, LocalFree(block));
  char blockText[32];
  std::snprintf(blockText, sizeof blockText, "%p", block);
  const auto &log = control::CallLog();
  ASSERT_EQ(2u, log.size());
  EXPECT_EQ("LocalAlloc", log[0].name);
  EXPECT_EQ("0, 24", log[0].arguments);
  EXPECT_EQ(blockText, log[1].arguments);

  // Reset turns the log back on.
  control::SetCallLogging(false);
  control::Reset();
  Sleep(0);
  EXPECT_EQ((std::vector<std::string>{"Sleep"}), control::CallNames());
}

TEST_F(CallLogTest, DisplayModeAndCursorKeepWindowsCounters) {
  DEVMODEA mode = ProgramDisplayMode();
  EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
  EXPECT_TRUE(control::DisplayModeChanged());
  EXPECT_EQ(DISP_CHANGE_SUCCESSFUL, ChangeDisplaySettingsA(nullptr, 0));
  EXPECT_FALSE(control::DisplayModeChanged());

  mode.dmBitsPerPel = 32;
  EXPECT_EQ(DISP_CHANGE_BADMODE, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
  mode.dmBitsPerPel = 16;
  control::SetDisplayModeAvailable(false);
  EXPECT_EQ(DISP_CHANGE_BADMODE, ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
  EXPECT_FALSE(control::DisplayModeChanged());

  EXPECT_EQ(-1, ShowCursor(FALSE));
  EXPECT_EQ(-2, ShowCursor(FALSE));
  EXPECT_EQ(-1, ShowCursor(TRUE));
  EXPECT_EQ(-1, control::CursorCounter());
}

TEST_F(CallLogTest, MessageBoxesTakeScriptedAnswersThenDefaults) {
  control::QueueMessageBoxAnswer(IDYES);
  EXPECT_EQ(IDYES, MessageBoxA(nullptr, "Question?", "Title", MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(IDNO, MessageBoxA(nullptr, "Again?", "Title", MB_YESNO));
  EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Two\nlines", "ERROR", MB_OK | MB_ICONEXCLAMATION));

  const auto &shown = control::MessageBoxesShown();
  ASSERT_EQ(3u, shown.size());
  EXPECT_EQ("Question?", shown[0].text);
  EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), shown[0].style);
  EXPECT_EQ("Two\nlines", shown[2].text);
  EXPECT_EQ("ERROR", shown[2].title);
  EXPECT_EQ("NULL, \"Two\\nlines\", \"ERROR\", 0x30", control::CallLog()[2].arguments);
}
