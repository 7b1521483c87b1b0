#pragma once
// A drawing batch's sink that sets the pixels of a 32-bit picture itself, one pixel per
// point of each line, so that a picture drawn this way is the same on every system.
// Plain C++, so that it can be tested without a window.
//
// Pixel model, that of PlotBatch: a point at (x, y) lights the pixel (floor x, floor y),
// and a line lights both its end pixels. Between them it lights one pixel in each column
// (for a line wider than high) or each row (for one higher than wide), the one the line
// passes through at that column's or row's centre.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "platform/Colours.h"
#include "platform/PlotBatch.h"

namespace tallyo {

// 0xFFRRGGBB, the order of a 32-bit device-independent bitmap (which ignores the top
// byte) and of Qt's RGB32 (which wants it 0xFF).
constexpr std::uint32_t PixelOf(Colour c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class PixelCanvas {
 public:
  // pixels: height rows of width pixels each, top row first, stride pixels apart.
  PixelCanvas(std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride)
      : pixels_(pixels), width_(width), height_(height), stride_(stride) {}

  void Polyline(Colour colour, const PlotPoint* p, std::size_t n) {
    if (n < 2) return;
    const std::uint32_t pixel = PixelOf(colour);
    for (std::size_t k = 1; k < n; ++k) Segment(p[k - 1], p[k], pixel);
  }

  // n separate lines, from p[2k] to p[2k + 1].
  void Lines(Colour colour, const PlotPoint* p, std::size_t n) {
    const std::uint32_t pixel = PixelOf(colour);
    for (std::size_t k = 0; k < n; ++k) Segment(p[2 * k], p[2 * k + 1], pixel);
  }

  // Rows top..bottom of pixel column x, all inside the picture.
  void Column(Colour colour, int x, int top, int bottom) {
    const std::uint32_t pixel = PixelOf(colour);
    std::uint32_t* p = pixels_ + top * stride_ + x;
    for (int y = top; y <= bottom; ++y, p += stride_) *p = pixel;
  }

  void Fill(Colour colour, PixelRect r) {
    const std::uint32_t pixel = PixelOf(colour);
    const int left = std::max(r.left, 0), right = std::min(r.right, width_ - 1);
    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height_ - 1);
    for (int y = top; y <= bottom; ++y) {
      std::uint32_t* row = pixels_ + y * stride_;
      std::fill(row + left, row + right + 1, pixel);
    }
  }

  void FillAll(Colour colour) { Fill(colour, {0, 0, width_ - 1, height_ - 1}); }

 private:
  void Set(double x, double y, std::uint32_t pixel) {
    const double fx = std::floor(x), fy = std::floor(y);
    if (fx < 0 || fy < 0 || fx >= width_ || fy >= height_) return;
    pixels_[static_cast<std::ptrdiff_t>(fy) * stride_ + static_cast<std::ptrdiff_t>(fx)] = pixel;
  }

  // The batch hands over segments already cut to a few pixels around the picture, so
  // the steps below stay few.
  void Segment(PlotPoint a, PlotPoint b, std::uint32_t pixel) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
      return;
    const double dx = b.x - a.x, dy = b.y - a.y;
    Set(a.x, a.y, pixel);
    Set(b.x, b.y, pixel);
    if (std::fabs(dx) >= std::fabs(dy)) {
      if (a.x > b.x) std::swap(a, b);
      const double first = std::floor(a.x) + 1, last = std::floor(b.x);
      if (dx == 0) return;
      const double slope = (b.y - a.y) / (b.x - a.x);
      for (double c = first; c < last; ++c) Set(c, a.y + (c + 0.5 - a.x) * slope, pixel);
    } else {
      if (a.y > b.y) std::swap(a, b);
      const double first = std::floor(a.y) + 1, last = std::floor(b.y);
      const double slope = (b.x - a.x) / (b.y - a.y);
      for (double r = first; r < last; ++r) Set(a.x + (r + 0.5 - a.y) * slope, r, pixel);
    }
  }

  std::uint32_t* pixels_;
  int width_, height_;
  std::ptrdiff_t stride_;
};

}  // namespace tallyo
