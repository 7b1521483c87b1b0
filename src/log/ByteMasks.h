#pragma once
// Where the bytes DISPLAY looks for lie in 64 bytes of text: bit k of each mask stands for
// byte k. With SSE2 (every x86-64 processor) sixteen bytes are compared at a time; a
// processor with AVX2 compares 32 at a time and counts bits with its own instruction.

#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define TALLYO_BYTE_MASKS_AVX2 1
#endif

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TALLYO_BYTE_MASKS_SSE2 1
#endif

namespace tallyo {

inline constexpr int kMaskBytes = 64;

// The two bytes that make a line end.
struct LineEnds {
  std::uint64_t cr;  // '\r'
  std::uint64_t lf;  // '\n'
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

inline LineEnds LineEndsOf(const char* p) {
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  LineEnds m{0, 0};
  for (std::ptrdiff_t i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const auto shift = 16 * i;
    m.cr |=
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))))
        << shift;
    m.lf |=
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
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

inline LineEnds LineEndsOf(const char* p) {
  LineEnds m{0, 0};
  for (int k = 0; k < kMaskBytes; ++k) {
    const std::uint64_t bit = std::uint64_t{1} << k;
    m.cr |= p[k] == '\r' ? bit : 0;
    m.lf |= p[k] == '\n' ? bit : 0;
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

// The masks and the bit count of plain x86-64.
struct PlainMasks {
  static LineEnds Of(const char* p) { return LineEndsOf(p); }
  static int Count(std::uint64_t x) { return BitCount(x); }
};

#ifdef TALLYO_BYTE_MASKS_AVX2

// The same with AVX2 and POPCNT. The program is built for plain x86-64, so these are
// compiled for those instructions on their own and used only where HasAvx2 says so: their
// callers carry the same target.
struct Avx2Masks {
  [[gnu::target("avx2")]] static LineEnds Of(const char* p) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    return {Mask(low, cr) | (Mask(high, cr) << 32), Mask(low, lf) | (Mask(high, lf) << 32)};
  }
  [[gnu::target("avx2")]] static std::uint64_t Mask(__m256i v, __m256i c) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, c)));
  }
  [[gnu::target("popcnt")]] static int Count(std::uint64_t x) { return __builtin_popcountll(x); }
};

inline bool HasAvx2() { return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt"); }

#endif

}  // namespace tallyo
