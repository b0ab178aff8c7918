// The small bitmap font the backend's own message box writes with
// (OwnMessageBox.cpp): printable ASCII in 5x7 pixel glyphs.
#ifndef QUELLOR_SDL_BOX_FONT_H
#define QUELLOR_SDL_BOX_FONT_H

namespace platform::sdl {

const int kGlyphWidth = 5;
const int kGlyphHeight = 7;

// The glyph's five columns, left to right; bit 0 of each is the top row.
// Characters outside printable ASCII are drawn as '?'.
const unsigned char *GlyphColumns(char character);

} // namespace platform::sdl

#endif
