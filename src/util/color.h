#pragma once

#include <cstdint>

namespace wrenhollow {

// A colour as 0x00BBGGRR.
using Color = uint32_t;

// The colour at value / maximum along evenly spaced stops, each channel interpolated and truncated. One stop
// gives that stop, none gives 0. The fraction is held to 0..1 so no channel leaves 0..255.
Color BlendColor(const Color* stops, int count, int value, int maximum);

}  // namespace wrenhollow
