// quellor_show_message_box TITLE TEXT: shows one message box with a single OK
// button through the desktop backend, as the program shows its errors. The
// desktop checks compare the program's box with this one, pixel for pixel, to
// tell whether it says the expected text: the text drawn in the box cannot be
// read back from the display.
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fputs("usage: quellor_show_message_box TITLE TEXT\n", stderr);
    return 2;
  }
  return MessageBoxA(nullptr, argv[2], argv[1], MB_OK) == IDOK ? 0 : 1;
}
