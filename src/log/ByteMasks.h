#pragma once
// Where the bytes DISPLAY looks for lie in 64 bytes of text: bit k of each mask stands for
// byte k. With SSE2 (every x86-64 processor) sixteen bytes are compared at a time.

#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TALLYO_BYTE_MASKS_SSE2 1
#endif

namespace tallyo {

inline constexpr int kMaskBytes = 64;

struct ByteMasks {
  std::uint64_t cr;    // '\r'
  std::uint64_t lf;    // '\n'
  std::uint64_t open;  // '<'
};

#ifdef TALLYO_BYTE_MASKS_SSE2

// The '<'s alone.
inline std::uint64_t OpenMaskOf(const char* p) {
  const __m128i open = _mm_set1_epi8('<');
  std::uint64_t m = 0;
  for (std::ptrdiff_t i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    m |= static_cast<std::uint64_t>(
             static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, open))))
         << (16 * i);
  }
  return m;
}

inline ByteMasks MasksOf(const char* p) {
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i open = _mm_set1_epi8('<');
  ByteMasks m{0, 0, 0};
  for (std::ptrdiff_t i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const auto shift = 16 * i;
    m.cr |=
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))))
        << shift;
    m.lf |=
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
        << shift;
    m.open |= static_cast<std::uint64_t>(
                  static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, open))))
              << shift;
  }
  return m;
}

#else

inline std::uint64_t OpenMaskOf(const char* p) {
  std::uint64_t m = 0;
  for (int k = 0; k < kMaskBytes; ++k) m |= p[k] == '<' ? std::uint64_t{1} << k : 0;
  return m;
}

inline ByteMasks MasksOf(const char* p) {
  ByteMasks m{0, 0, 0};
  for (int k = 0; k < kMaskBytes; ++k) {
    const std::uint64_t bit = std::uint64_t{1} << k;
    m.cr |= p[k] == '\r' ? bit : 0;
    m.lf |= p[k] == '\n' ? bit : 0;
    m.open |= p[k] == '<' ? bit : 0;
  }
  return m;
}

#endif

// The number of bits set, without the processor's own count (not part of plain x86-64).
inline int BitCount(std::uint64_t x) {
  x -= (x >> 1) & 0x5555555555555555u;
  x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
  x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fu;
  return static_cast<int>((x * 0x0101010101010101u) >> 56);
}

}  // namespace tallyo
