// CharNextA: steps over one character of text in the system's 8-bit encoding,
// UTF-8. A pure function of its argument, like the C library's string
// functions, so it does not pass the call hook: it cannot fail.
#include <windows.h>

namespace {

// The bytes a UTF-8 sequence takes by its first byte; 1 for a byte that
// cannot start one, which then counts as a character of its own.
int SequenceLength(unsigned char first) {
  if (first >= 0xF0 && first <= 0xF4) {
    return 4;
  }
  if (first >= 0xE0) {
    return first <= 0xEF ? 3 : 1;
  }
  return first >= 0xC2 ? 2 : 1;
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

} // namespace

// At the terminator it stays there. A sequence cut short by the terminator
// or by a byte that does not continue it ends where it is cut.
LPSTR WINAPI CharNextA(LPCSTR text) {
  if (*text == '\0') {
    return const_cast<LPSTR>(text);
  }
  int length = SequenceLength(static_cast<unsigned char>(*text));
  int taken = 1;
  while (taken < length && IsContinuation(text[taken])) {
    ++taken;
  }
  return const_cast<LPSTR>(text + taken);
}
