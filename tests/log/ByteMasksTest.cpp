#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "log/ByteMasks.h"

namespace tallyo {
namespace {

// The plain masks byte by byte, as the pass means them.
LineEnds Expected(const char* p) {
  LineEnds m{0, 0};
  for (int k = 0; k < kMaskBytes; ++k) {
    if (p[k] == '\r') m.cr |= std::uint64_t{1} << k;
    if (p[k] == '\n') m.lf |= std::uint64_t{1} << k;
  }
  return m;
}

// Blocks of line ends and other bytes, one kind of byte dense in each: the masks of plain
// x86-64 and, where this processor has it, of AVX2 (the pass takes whichever the processor
// allows, so only one of them runs in the display tests on any machine) give the same bits.
TEST(ByteMasksTest, EveryWayGivesTheSameBits) {
  std::mt19937 random(20261209);
  const std::string bytes = std::string("\r\n<T>0\x80\xff", 9) + '\0';
  std::string block(kMaskBytes, ' ');
  for (int round = 0; round < 2000; ++round) {
    const char dense = bytes[static_cast<std::size_t>(round) % bytes.size()];
    for (char& c : block) {
      c = random() % 2 == 0 ? dense : bytes[random() % bytes.size()];
    }
    const LineEnds want = Expected(block.data());
    const LineEnds plain = PlainMasks::Of(block.data());
    EXPECT_EQ(plain.cr, want.cr);
    EXPECT_EQ(plain.lf, want.lf);
    EXPECT_EQ(PlainMasks::Count(want.lf), std::popcount(want.lf));
#ifdef TALLYO_BYTE_MASKS_AVX2
    if (HasAvx2()) {
      const LineEnds wide = Avx2Masks::Of(block.data());
      EXPECT_EQ(wide.cr, want.cr);
      EXPECT_EQ(wide.lf, want.lf);
      EXPECT_EQ(Avx2Masks::Count(want.lf), PlainMasks::Count(want.lf));
    }
#endif
  }
}

}  // namespace
}  // namespace tallyo
