#pragma once
// The program's colours: those the layouts set and those the chart draws in.

#include <cstdint>

namespace tallyo {

// 0x00BBGGRR: the low byte is red.
using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

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
inline constexpr Colour kCyan = Rgb(0, 255, 255);

}  // namespace tallyo
