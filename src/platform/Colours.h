#pragma once
// Colours of the layouts, stored as 0x00BBGGRR, as Qt colours.

#include <QColor>

#include "platform/DrawSurface.h"

namespace tallyo {

// The background of both windows.
inline constexpr Colour kWindowGreen = Rgb(0, 192, 0);

inline QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace tallyo
