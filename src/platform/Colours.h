#pragma once
// The colours the layouts set, as 0x00BBGGRR.

#include "platform/DrawSurface.h"

namespace tallyo {

// The background of both windows.
inline constexpr Colour kWindowGreen = Rgb(0, 192, 0);
// The background of the chart, Plot.
inline constexpr Colour kChartGrey = Rgb(64, 64, 64);
inline constexpr Colour kRed = Rgb(255, 0, 0);
inline constexpr Colour kGreen = Rgb(0, 255, 0);
inline constexpr Colour kLightBlue = Rgb(128, 128, 255);
inline constexpr Colour kYellow = Rgb(255, 255, 0);
inline constexpr Colour kMidGrey = Rgb(128, 128, 128);
inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);
inline constexpr Colour kBlue = Rgb(0, 0, 255);

}  // namespace tallyo
