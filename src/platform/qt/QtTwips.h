#pragma once
// Twips to Qt's logical pixels (96 to the inch); Qt's high-DPI scaling takes logical pixels
// on to the device.

#include <QLine>
#include <QRect>

#include "platform/Twips.h"

namespace tallyo {

// Both edges are converted on their own, so controls that meet in twips meet in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
  const int x = TwipsToPixels(left);
  const int y = TwipsToPixels(top);
  return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

inline QLine TwipsLine(int x1, int y1, int x2, int y2) {
  return QLine(TwipsToPixels(x1), TwipsToPixels(y1), TwipsToPixels(x2), TwipsToPixels(y2));
}

}  // namespace tallyo
