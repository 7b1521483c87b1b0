#pragma once
// Pixels as a window shows them: width x height, 0xFFRRGGBB, top row first.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tallyo::test {

struct ShownPicture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  int Count(std::uint32_t pixel) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), pixel));
  }
  int CountInRow(int y, std::uint32_t pixel) const {
    int n = 0;
    for (int x = 0; x < width; ++x) n += At(x, y) == pixel;
    return n;
  }
  bool operator==(const ShownPicture&) const = default;
};

}  // namespace tallyo::test
