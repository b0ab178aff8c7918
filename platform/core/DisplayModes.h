// Choosing among the display's modes.
#ifndef QUELLOR_CORE_DISPLAY_MODES_H
#define QUELLOR_CORE_DISPLAY_MODES_H

#include "core/Backend.h"

#include <vector>

namespace platform::core {

// Of the modes, the one of exactly this size and depth; without one, the
// shallowest deeper mode of this size. The first listed wins among equals
// (displays list the faster refresh rates first), and among all of this size
// when bits is 0. False when none fits.
bool ChooseDisplayMode(const std::vector<DisplayMode> &modes, int width, int height, int bits,
                       DisplayMode *chosen);

} // namespace platform::core

#endif
