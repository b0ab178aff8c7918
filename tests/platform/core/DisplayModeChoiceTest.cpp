// Which of the display's modes ChangeDisplaySettingsA takes.
#include <DisplayModes.h>

#include <gtest/gtest.h>

using platform::core::ChooseDisplayMode;
using platform::core::DisplayMode;

TEST(DisplayModeChoice, SixteenBitsWhenOfferedOtherwiseTheNearestDeeperMode) {
  // As displays list them: deepest first, then the faster refresh rates.
  const std::vector<DisplayMode> modes = {{1024, 768, 32, 60}, {640, 480, 32, 75},
                                          {640, 480, 24, 60},  {640, 480, 16, 75},
                                          {640, 480, 16, 60},  {640, 480, 15, 60}};
  DisplayMode chosen{};
  ASSERT_TRUE(ChooseDisplayMode(modes, 640, 480, 16, &chosen));
  EXPECT_EQ(chosen.bits, 16);
  EXPECT_EQ(chosen.refreshRate, 75);

  // Without 16 bits: 24 rather than 32. 15 bits is not deep enough.
  const std::vector<DisplayMode> deep(modes.begin(), modes.begin() + 3);
  ASSERT_TRUE(ChooseDisplayMode(deep, 640, 480, 16, &chosen));
  EXPECT_EQ(chosen.bits, 24);
  const std::vector<DisplayMode> shallow = {modes[0], modes[5]};
  EXPECT_FALSE(ChooseDisplayMode(shallow, 640, 480, 16, &chosen));
  EXPECT_FALSE(ChooseDisplayMode(modes, 800, 600, 16, &chosen));
  // No depth asked for: the first of the size.
  ASSERT_TRUE(ChooseDisplayMode(modes, 640, 480, 0, &chosen));
  EXPECT_EQ(chosen.refreshRate, 75);
  EXPECT_EQ(chosen.bits, 32);
}
