#pragma once
// The layouts' measures and colours in Qt's terms: twips to Qt's logical pixels (96 to the
// inch; Qt's high-DPI scaling takes logical pixels on to the device), and colours
// (0x00BBGGRR) to Qt colours.

#include <QColor>
#include <QRect>

#include "platform/Colours.h"
#include "platform/Twips.h"

namespace tallyo {

// Both edges are converted on their own, so controls that meet in twips meet in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
  const int x = TwipsToPixels(left);
  const int y = TwipsToPixels(top);
  return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

inline QColor ToQColor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace tallyo
