// wsprintfA: the conversions Win32's formatter offers, and its 1024-byte
// limit; CharNextA over the 8-bit encoding, UTF-8.
#include <PlatformFixture.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class FormatTest : public PlatformTest {};

template <typename... Args> std::string Format(const char *format, Args... args) {
  char buffer[1100];
  std::memset(buffer, '#', sizeof buffer);
  int length = wsprintfA(buffer, format, args...);
  EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
  return buffer;
}

TEST_F(FormatTest, NarrowAndWideStrings) {
  EXPECT_EQ(Format("Failed to open DIB file %s.\n", "tex1.bmp"),
            "Failed to open DIB file tex1.bmp.\n");
  EXPECT_EQ(Format("[%ws]", u"\u010Daj \U0001F375"), "[\xC4\x8D"
                                                     "aj \xF0\x9F\x8D\xB5]");
  EXPECT_EQ(Format("[%ls|%S|%hs]", u"l", u"S", "h"), "[l|S|h]");
  EXPECT_EQ(Format("[%s|%ws]", static_cast<const char *>(nullptr),
                   static_cast<const char16_t *>(nullptr)),
            "[(null)|(null)]");
  EXPECT_EQ(Format("[%.3s|%5s|%-5s|%.4ws]", "abcdef", "ab", "ab", u"\u03A9\u03A9\u03A9"),
            "[abc|   ab|ab   |\xCE\xA9\xCE\xA9]");
  EXPECT_EQ(Format("[%c%C%wc]", 'x', u'\u03A9', u'y'), "[x\xCE\xA9y]");
}

TEST_F(FormatTest, Numbers) {
  EXPECT_EQ(Format("%d %i %u", -42, 7, 4000000000u), "-42 7 4000000000");
  EXPECT_EQ(Format("%x %X %#x %#X", 0xBEEFu, 0xBEEFu, 255u, 255u), "beef BEEF 0xff 0XFF");
  EXPECT_EQ(Format("[%5d|%-5d|%05d|%.3d|%05x]", 42, 42, -42, 7, 0xABu),
            "[   42|42   |-0042|007|000ab]");
  EXPECT_EQ(Format("%ld %lu %lx", -1, 4294967295u, 0xFFFFFFFFu), "-1 4294967295 ffffffff");
  EXPECT_EQ(Format("%hd %hu", 70000, 70000), "4464 4464");
  EXPECT_EQ(
      Format("%I64d %I64u", static_cast<int64_t>(-5000000000), static_cast<uint64_t>(1) << 40),
      "-5000000000 1099511627776");
  EXPECT_EQ(Format("%d", INT32_MIN), "-2147483648");
  EXPECT_EQ(Format("100%% %q"), "100% q");
}

TEST_F(FormatTest, NeverWritesMoreThan1024Bytes) {
  std::string longText(2000, 'a');
  char buffer[1100];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(wsprintfA(buffer, "%s%s", longText.c_str(), "tail"), 1023);
  EXPECT_EQ(std::string(buffer), std::string(1023, 'a'));
  EXPECT_EQ(buffer[1024], '#');
  // A long format, a wide field and a long wide string are held to it too.
  std::string longFormat(1500, 'f');
  EXPECT_EQ(wsprintfA(buffer, longFormat.c_str()), 1023);
  EXPECT_EQ(buffer[1024], '#');
  EXPECT_EQ(wsprintfA(buffer, "%9999d", 1), 1023);
  EXPECT_EQ(buffer[1024], '#');
  std::u16string longWide(1500, u'\u03A9');
  EXPECT_EQ(wsprintfA(buffer, "%ws", longWide.c_str()), 1023);
  EXPECT_EQ(buffer[1024], '#');
}

// The byte lengths of the characters CharNextA steps over, to the end.
std::vector<long> Steps(const char *text) {
  std::vector<long> steps;
  for (const char *at = text; *at;) {
    const char *next = CharNextA(at);
    steps.push_back(next - at);
    at = next;
  }
  EXPECT_EQ(CharNextA(text + std::strlen(text)), text + std::strlen(text));
  return steps;
}

TEST_F(FormatTest, CharNextStepsOverWholeUtf8Characters) {
  using Lengths = std::vector<long>;
  EXPECT_EQ(Steps("ab"), (Lengths{1, 1}));
  EXPECT_EQ(Steps("\xC5\x99\xE2\x82\xA9\xF0\x9F\x8D\xB5z"), (Lengths{2, 3, 4, 1}));
  // A stray continuation byte, a byte that starts nothing, and sequences cut
  // short by another character or by the end each end where they stop.
  EXPECT_EQ(Steps("\x80\xFF\xC0"), (Lengths{1, 1, 1}));
  EXPECT_EQ(Steps("\xE2\x82z\xF0\x9F"), (Lengths{2, 1, 2}));
}

} // namespace
