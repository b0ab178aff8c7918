#include "core/WindowFrame.h"

namespace platform {

namespace {

const LONG kSizingFrame = 8; // sizing border plus padding
const LONG kFixedFrame = 3;
const LONG kThinBorder = 1;
const LONG kCaptionHeight = 23;
const LONG kMenuHeight = 20;

} // namespace

RECT WindowFrame(DWORD style, bool menu) {
  // WS_CAPTION includes WS_DLGFRAME, so a captioned window without a sizing
  // frame has the fixed one.
  LONG border = 0;
  if (style & WS_THICKFRAME) {
    border = kSizingFrame;
  } else if (style & WS_DLGFRAME) {
    border = kFixedFrame;
  } else if (style & WS_BORDER) {
    border = kThinBorder;
  }
  LONG top = border;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    top += kCaptionHeight;
  }
  if (menu) {
    top += kMenuHeight;
  }
  return RECT{border, top, border, border};
}

void AddWindowFrame(RECT *rect, DWORD style, bool menu) {
  const RECT frame = WindowFrame(style, menu);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
}

} // namespace platform
