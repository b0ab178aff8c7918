// What the rest of the platform knows of the file views MapViewOfFile made.
//
// Under Win32 a file mapped by a reader that shares only reading cannot be
// cut short while the view lasts. Here it can: another process may truncate
// or rewrite the file at any time. A view never faults for that: the bytes
// that the file no longer holds read as zeros (a read view is filled so, a
// mapped view has zero pages put in place of the lost ones when they are
// touched), and the view is marked as cut, so that the DIB conversion refuses
// pixel bits from it as those of a file too short.
#ifndef QUELLOR_OS_FILE_VIEWS_H
#define QUELLOR_OS_FILE_VIEWS_H

#include <cstddef>
#include <cstdint>

namespace platform {

// Whether address lies in a live view that has lost bytes to its file being
// cut short since it was made.
bool ViewWasCut(const void *address);

// Back to the build's own choice of reading or mapping views, and to no
// largest view seen (the platform control's reset).
void ResetFileViews();

} // namespace platform

#endif
