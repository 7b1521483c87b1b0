#pragma once
// Colours the windows share, as 0x00BBGGRR.

#include "platform/DrawSurface.h"

namespace tallyo {

// The background of both windows.
inline constexpr Colour kWindowGreen = Rgb(0, 192, 0);

}  // namespace tallyo
