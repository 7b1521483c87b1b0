#pragma once
// Colours of the layouts (0x00BBGGRR) as Qt colours.

#include <QColor>

#include "platform/Colours.h"

namespace tallyo {

inline QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace tallyo
