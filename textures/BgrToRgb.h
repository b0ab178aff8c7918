// Copying a row of 3-byte pixels while turning blue, green, red into red,
// green, blue: the last step of every load, over the whole picture, so it is
// worth doing 16 bytes at a time where the processor allows.
#ifndef QUELLOR_BGR_TO_RGB_H
#define QUELLOR_BGR_TO_RGB_H

#include <windows.h>

// Writes pixels * 3 bytes at target from as many at source; the two do not
// overlap.
void CopyBgrAsRgb(const BYTE *source, BYTE *target, LONG pixels);

#endif
