// A bounds-checked little-endian reader over bytes in memory. A read that
// would pass the end yields 0 and marks the cursor overrun instead of reading,
// so a whole header can be read field by field and checked once at the end.
#ifndef QUELLOR_BYTE_CURSOR_H
#define QUELLOR_BYTE_CURSOR_H

#include <windows.h>

#include <cstddef>

struct ByteCursor {
  const BYTE *data;
  size_t size;     // bytes that may be read, from data on
  size_t position; // the next byte to read; may lie past the end
  bool overrun;    // a read asked for bytes past the end
};

inline ByteCursor MakeCursor(const BYTE *data, size_t size, size_t position) {
  return ByteCursor{data, size, position, false};
}

inline bool CursorHas(const ByteCursor &cursor, size_t bytes) {
  return cursor.position <= cursor.size && cursor.size - cursor.position >= bytes;
}

// The next bytes, or null (and the cursor overrun) when they are not all there.
inline const BYTE *ReadBytes(ByteCursor *cursor, size_t bytes) {
  if (!CursorHas(*cursor, bytes)) {
    cursor->overrun = true;
    return nullptr;
  }
  const BYTE *start = cursor->data + cursor->position;
  cursor->position += bytes;
  return start;
}

inline BYTE ReadByte(ByteCursor *cursor) {
  const BYTE *bytes = ReadBytes(cursor, 1);
  return bytes ? bytes[0] : 0;
}

inline WORD ReadWord(ByteCursor *cursor) {
  const BYTE *bytes = ReadBytes(cursor, 2);
  return bytes ? static_cast<WORD>(bytes[0] | bytes[1] << 8) : 0;
}

inline DWORD ReadDword(ByteCursor *cursor) {
  const BYTE *bytes = ReadBytes(cursor, 4);
  return bytes ? static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
                     static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24
               : 0;
}

inline LONG ReadLong(ByteCursor *cursor) { return static_cast<LONG>(ReadDword(cursor)); }

#endif
