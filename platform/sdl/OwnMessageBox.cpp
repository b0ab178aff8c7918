// The backend's own message box: a small SDL window with the box's title,
// text and buttons drawn into its surface with the built-in font (BoxFont.h).
// SdlDialogs.cpp shows it where SDL's box cannot be shown (a Wayland session
// without zenity and without an X display) or cannot take the keyboard (X
// without a window manager).
//
// Keys: Return, the keypad's Enter and space press the button with the focus
// (at first the first button), Escape presses the last; Tab, Shift+Tab and
// the arrows move the focus. A click presses a button; closing the box
// presses the last. Events of other windows that come while the box is up
// are kept and queued again afterwards, so the program sees them as it would
// have.
#include "sdl/BoxFont.h"
#include "sdl/SdlBackend.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::sdl {

namespace {

const int kScale = 2;                                // screen pixels per font pixel
const int kCellWidth = (kGlyphWidth + 1) * kScale;   // one character with its gap
const int kLineHeight = (kGlyphHeight + 3) * kScale; // one line with its spacing
const int kMargin = 16;
const int kButtonHeight = 32;
const int kButtonMinWidth = 88;
const int kButtonGap = 12;

const Uint32 kBackground = 0xE8E8E8;
const Uint32 kInk = 0x101010;
const Uint32 kButtonFace = 0xD0D0D0;
const Uint32 kButtonEdge = 0x505050;
const Uint32 kFocusEdge = 0x1E5AC8;

struct Layout {
  std::vector<std::string> lines;
  std::vector<SDL_Rect> buttons;
  int width = 0;
  int height = 0;
};

int TextWidth(const std::string &text) { return static_cast<int>(text.size()) * kCellWidth; }

Layout LayOut(const char *text, const BoxButton *buttons, int count) {
  Layout layout;
  const char *line = text;
  for (;;) {
    const char *end = std::strchr(line, '\n');
    layout.lines.emplace_back(line, end ? end - line : std::strlen(line));
    if (!end)
      break;
    line = end + 1;
  }
  // A text ending in a line break has no empty last line to show.
  if (layout.lines.size() > 1 && layout.lines.back().empty())
    layout.lines.pop_back();
  int textWidth = 0;
  for (const std::string &l : layout.lines)
    textWidth = std::max(textWidth, TextWidth(l));
  int rowWidth = 0;
  std::vector<int> widths;
  for (int i = 0; i < count; ++i) {
    widths.push_back(std::max(kButtonMinWidth, TextWidth(buttons[i].label) + 2 * kMargin));
    rowWidth += widths.back() + (i > 0 ? kButtonGap : 0);
  }
  layout.width = std::max(textWidth, rowWidth) + 2 * kMargin;
  const int buttonTop = kMargin + static_cast<int>(layout.lines.size()) * kLineHeight + kMargin;
  layout.height = buttonTop + kButtonHeight + kMargin;
  int x = (layout.width - rowWidth) / 2;
  for (int w : widths) {
    layout.buttons.push_back({x, buttonTop, w, kButtonHeight});
    x += w + kButtonGap;
  }
  return layout;
}

void Fill(SDL_Surface *surface, int x, int y, int w, int h, Uint32 rgb) {
  SDL_Rect rect = {x, y, w, h};
  SDL_FillRect(surface, &rect,
               SDL_MapRGB(surface->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
}

void Write(SDL_Surface *surface, int x, int y, const std::string &text) {
  for (char c : text) {
    const unsigned char *columns = GlyphColumns(c);
    for (int column = 0; column < kGlyphWidth; ++column) {
      for (int row = 0; row < kGlyphHeight; ++row) {
        if (columns[column] & (1u << row))
          Fill(surface, x + column * kScale, y + row * kScale, kScale, kScale, kInk);
      }
    }
    x += kCellWidth;
  }
}

void Frame(SDL_Surface *surface, const SDL_Rect &r, int thickness, Uint32 rgb) {
  Fill(surface, r.x, r.y, r.w, thickness, rgb);
  Fill(surface, r.x, r.y + r.h - thickness, r.w, thickness, rgb);
  Fill(surface, r.x, r.y, thickness, r.h, rgb);
  Fill(surface, r.x + r.w - thickness, r.y, thickness, r.h, rgb);
}

bool Draw(SDL_Window *window, const Layout &layout, const BoxButton *buttons, int focused) {
  SDL_Surface *surface = SDL_GetWindowSurface(window);
  if (!surface)
    return false;
  Fill(surface, 0, 0, surface->w, surface->h, kBackground);
  int y = kMargin;
  for (const std::string &line : layout.lines) {
    Write(surface, kMargin, y, line);
    y += kLineHeight;
  }
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    const SDL_Rect &r = layout.buttons[i];
    Fill(surface, r.x, r.y, r.w, r.h, kButtonFace);
    const bool hasFocus = static_cast<int>(i) == focused;
    Frame(surface, r, hasFocus ? 3 : 1, hasFocus ? kFocusEdge : kButtonEdge);
    Write(surface, r.x + (r.w - TextWidth(buttons[i].label)) / 2,
          r.y + (r.h - kGlyphHeight * kScale) / 2, buttons[i].label);
  }
  return SDL_UpdateWindowSurface(window) == 0;
}

int ButtonAt(const Layout &layout, int x, int y) {
  const SDL_Point point = {x, y};
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    if (SDL_PointInRect(&point, &layout.buttons[i]))
      return static_cast<int>(i);
  }
  return -1;
}

Uint32 WindowIdOf(const SDL_Event &event) {
  switch (event.type) {
  case SDL_WINDOWEVENT:
    return event.window.windowID;
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    return event.key.windowID;
  case SDL_TEXTEDITING:
    return event.edit.windowID;
  case SDL_TEXTINPUT:
    return event.text.windowID;
  case SDL_MOUSEMOTION:
    return event.motion.windowID;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    return event.button.windowID;
  case SDL_MOUSEWHEEL:
    return event.wheel.windowID;
  default:
    return 0;
  }
}

// What a key does to the box: the index of the button it presses, or -1
// (after moving the focus, for the keys that move it).
int OnKey(const SDL_Keysym &key, int count, int *focused) {
  switch (key.sym) {
  case SDLK_RETURN:
  case SDLK_KP_ENTER:
  case SDLK_SPACE:
    return *focused;
  case SDLK_ESCAPE:
    return count - 1;
  case SDLK_TAB:
    *focused = (*focused + ((key.mod & KMOD_SHIFT) ? count - 1 : 1)) % count;
    return -1;
  case SDLK_LEFT:
  case SDLK_UP:
    *focused = (*focused + count - 1) % count;
    return -1;
  case SDLK_RIGHT:
  case SDLK_DOWN:
    *focused = (*focused + 1) % count;
    return -1;
  default:
    return -1;
  }
}

// On Wayland a destroyed window can crash SDL at the next event poll (see
// SdlSurfaces.cpp): the box is hidden and kept there, and the next box
// reuses it.
SDL_Window *spareBox = nullptr;

bool KeepsBoxes() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "wayland") == 0;
}

SDL_Window *MakeBox(const char *caption, const Layout &layout) {
  SDL_Window *box = spareBox;
  spareBox = nullptr;
  if (!box)
    return SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, layout.width,
                            layout.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP);
  SDL_SetWindowTitle(box, caption);
  SDL_SetWindowSize(box, layout.width, layout.height);
  SDL_SetWindowPosition(box, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  return box;
}

void DisposeOfBox(SDL_Window *box) {
  if (KeepsBoxes() && !spareBox) {
    SDL_HideWindow(box);
    spareBox = box;
    return;
  }
  KeepLibrariesMapped();
  SDL_DestroyWindow(box);
}

} // namespace

int ShowOwnMessageBox(void *ownerSurface, const char *text, const char *caption,
                      const BoxButton *buttons, int count) {
  if (count <= 0)
    return 0;
  const Layout layout = LayOut(text, buttons, count);
  SDL_Window *box = MakeBox(caption, layout);
  if (!box)
    return 0;
  SDL_Window *owner = static_cast<SDL_Window *>(ownerSurface);
  if (owner)
    SDL_SetWindowModalFor(box, owner);
  SDL_ShowWindow(box);
  // The box takes the keyboard itself: without a window manager nobody else
  // gives it the focus (X11 sets it once the window is mapped, which
  // SDL_ShowWindow waits for).
  SDL_RaiseWindow(box);
  SDL_SetWindowInputFocus(box);
  const Uint32 boxId = SDL_GetWindowID(box);
  int focused = 0;
  int pressedDown = -1;
  int chosen = -1;
  std::vector<SDL_Event> othersEvents;
  bool drawn = Draw(box, layout, buttons, focused);
  while (drawn && chosen < 0) {
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, 200))
      continue;
    if (WindowIdOf(event) != boxId) {
      othersEvents.push_back(event);
      continue;
    }
    if (event.type == SDL_KEYDOWN) {
      chosen = OnKey(event.key.keysym, count, &focused);
      drawn = Draw(box, layout, buttons, focused);
    } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
      pressedDown = ButtonAt(layout, event.button.x, event.button.y);
    } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
      if (pressedDown >= 0 && pressedDown == ButtonAt(layout, event.button.x, event.button.y))
        chosen = pressedDown;
      pressedDown = -1;
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
      chosen = count - 1;
    } else if (event.type == SDL_WINDOWEVENT) {
      drawn = Draw(box, layout, buttons, focused);
    }
  }
  DisposeOfBox(box);
  if (owner) {
    SDL_RaiseWindow(owner);
    SDL_SetWindowInputFocus(owner);
  }
  for (SDL_Event &event : othersEvents)
    SDL_PushEvent(&event);
  return chosen >= 0 ? buttons[chosen].id : 0;
}

} // namespace platform::sdl
