#pragma once
// Window layouts are measured in twips (1/1440 inch). At 96 dpi a logical pixel is 15
// twips; Qt's high-DPI scaling takes logical pixels on to the device.

#include <QLine>
#include <QRect>

namespace tallyo {

inline constexpr int kTwipsPerPixel = 15;

// Nearest logical pixel, halves away from zero.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

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
