// Without a usable display nothing is shown, nothing is lost: message boxes
// go to standard error, windows and display modes are refused. Each case runs
// in a fresh process, before SDL has started.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int CreateTestWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "NoDisplayWnd";
  if (RegisterClassA(&windowClass) == 0)
    return 0;
  return CreateWindowExA(0, "NoDisplayWnd", "Quellor", WS_OVERLAPPEDWINDOW, 0, 0, 656, 519, nullptr,
                         nullptr, nullptr, nullptr) != nullptr;
}

class WithoutDisplay : public ::testing::Test {
protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(WithoutDisplay, MessageBoxWritesToStandardErrorAndReturnsZero) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        const int answer = MessageBoxA(nullptr, "Prejete si celoobrazovkovy rezim?",
                                       "Cela obrazovka?", MB_YESNO | MB_ICONQUESTION);
        std::exit(answer == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "Cela obrazovka\\?: Prejete si celoobrazovkovy rezim\\?");
}

TEST_F(WithoutDisplay, WindowsAndModesAreRefused) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = 640;
        mode.dmPelsHeight = 480;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        const bool refused = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != 0;
        std::exit(refused && CreateTestWindow() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// SDL's invisible offscreen and dummy drivers do not count as a display.
TEST_F(WithoutDisplay, InvisibleVideoDriversAreRefused) {
  for (const char *driver : {"offscreen", "dummy"}) {
    EXPECT_EXIT(
        {
          setenv("SDL_VIDEODRIVER", driver, 1);
          const int answer =
              MessageBoxA(nullptr, "Program bude nyni ukoncen.", "CHYBA", MB_OK | MB_ICONSTOP);
          std::exit(answer == 0 && CreateTestWindow() == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "CHYBA: Program bude nyni ukoncen\\.")
        << driver;
  }
}

} // namespace
