#pragma once
// Pixels as a window shows them: width x height, 0xFFRRGGBB, top row first.

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
};

}  // namespace tallyo::test
