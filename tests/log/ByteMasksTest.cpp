#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "log/ByteMasks.h"

namespace tallyo {
namespace {

struct Masks {
  std::uint64_t open;
  std::uint64_t cr;
  std::uint64_t lf;
};

// The masks byte by byte, as the pass means them.
Masks Expected(const char* p) {
  Masks m{0, 0, 0};
  for (int k = 0; k < kMaskBytes; ++k) {
    if (p[k] == '<') m.open |= std::uint64_t{1} << k;
    if (p[k] == '\r') m.cr |= std::uint64_t{1} << k;
    if (p[k] == '\n') m.lf |= std::uint64_t{1} << k;
  }
  return m;
}

template <class Way>
void ExpectSameBits(const char* p, const Masks& want, const char* way) {
  SCOPED_TRACE(way);
  if constexpr (requires { Way::Opens(p); }) {
    EXPECT_EQ(Way::Opens(p), want.open);
  }
  const LineEnds ends = Way::Of(p);
  EXPECT_EQ(ends.cr, want.cr);
  EXPECT_EQ(ends.lf, want.lf);
}

// Blocks of the bytes looked for and others, one kind of byte dense in each, at every
// offset from a 16-byte boundary: each way of this processor gives the same bits. The
// pass takes only one way on any one machine (AVX2 where the processor has it, else the
// plain one of its kind), so the display tests alone would leave the others unchecked.
// The bytes above 127 are those looked for with the high bit set, which a way that
// compared signed bytes or seven bits would take for them; char is signed on x86-64 and
// unsigned on ARM.
TEST(ByteMasksTest, EveryWayGivesTheSameBits) {
  std::mt19937 random(20261209);
  const std::string bytes = std::string("\r\n<T>0\x80\xff\x8d\x8a\xbc", 12) + '\0';
  alignas(16) char buffer[kMaskBytes + 16];
  for (int round = 0; round < 2000; ++round) {
    const char dense = bytes[static_cast<std::size_t>(round) % bytes.size()];
    char* block = buffer + round % 16;
    for (int k = 0; k < kMaskBytes; ++k) {
      block[k] = random() % 2 == 0 ? dense : bytes[random() % bytes.size()];
    }
    const Masks want = Expected(block);
    ExpectSameBits<BytewiseMasks>(block, want, "bytewise");
    ExpectSameBits<PlainMasks>(block, want, "plain");
    EXPECT_EQ(OpenMaskOf(block), want.open);
#ifdef TALLYO_BYTE_MASKS_AVX2
    if (HasAvx2()) ExpectSameBits<Avx2Masks>(block, want, "AVX2");
#endif
  }
}

}  // namespace
}  // namespace tallyo
