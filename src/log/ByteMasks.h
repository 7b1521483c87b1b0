#pragma once
// Where the bytes DISPLAY looks for lie in 64 bytes of text: bit k of each mask stands for
// byte k. Every x86-64 processor compares sixteen bytes at a time with SSE2, and one with
// AVX2 compares 32 at a time; every 64-bit ARM
// processor compares sixteen at a time with NEON. Any other processor looks at one byte
// after the other.
//
// Each way is a type: Of gives the CRs and LFs, and Opens the '<'s (all but AVX2's). PlainMasks is
// the way every processor of the kind the program is built for has.

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define TALLYO_BYTE_MASKS_AVX2 1
#endif

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TALLYO_BYTE_MASKS_SSE2 1
#elif defined(__aarch64__)
#include <arm_neon.h>
#define TALLYO_BYTE_MASKS_NEON 1
#endif

namespace tallyo {

inline constexpr int kMaskBytes = 64;

// The two bytes that make a line end.
struct LineEnds {
  std::uint64_t cr;  // '\r'
  std::uint64_t lf;  // '\n'
};

// One byte after the other. Built on every processor, so that the tests hold it against
// the others everywhere.
struct BytewiseMasks {
  static std::uint64_t Opens(const char* p) {
    std::uint64_t m = 0;
    for (int k = 0; k < kMaskBytes; ++k) m |= p[k] == '<' ? std::uint64_t{1} << k : 0;
    return m;
  }
  static LineEnds Of(const char* p) {
    LineEnds m{0, 0};
    for (int k = 0; k < kMaskBytes; ++k) {
      const std::uint64_t bit = std::uint64_t{1} << k;
      m.cr |= p[k] == '\r' ? bit : 0;
      m.lf |= p[k] == '\n' ? bit : 0;
    }
    return m;
  }
};

#if defined(TALLYO_BYTE_MASKS_SSE2)

struct Sse2Masks {
  static std::uint64_t Opens(const char* p) {
    const __m128i open = _mm_set1_epi8('<');
    std::uint64_t m = 0;
    for (std::ptrdiff_t i = 0; i < 4; ++i) m |= Mask(Load(p + 16 * i), open) << (16 * i);
    return m;
  }
  static LineEnds Of(const char* p) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    LineEnds m{0, 0};
    for (std::ptrdiff_t i = 0; i < 4; ++i) {
      const __m128i v = Load(p + 16 * i);
      m.cr |= Mask(v, cr) << (16 * i);
      m.lf |= Mask(v, lf) << (16 * i);
    }
    return m;
  }

  static __m128i Load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  }
  static std::uint64_t Mask(__m128i v, __m128i c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
  }
};
using PlainMasks = Sse2Masks;

#elif defined(TALLYO_BYTE_MASKS_NEON)

// NEON has no instruction that gathers one bit of each byte: each byte that matches keeps
// the bit of its place among eight, and three rounds of pairwise sums add eight such bytes
// into one, leaving the 64 bits in order in the low half of the register.
struct NeonMasks {
  static std::uint64_t Opens(const char* p) {
    const uint8x16_t open = vdupq_n_u8('<');
    return Mask(Load(p), Load(p + 16), Load(p + 32), Load(p + 48), open);
  }
  static LineEnds Of(const char* p) {
    const uint8x16_t v0 = Load(p);
    const uint8x16_t v1 = Load(p + 16);
    const uint8x16_t v2 = Load(p + 32);
    const uint8x16_t v3 = Load(p + 48);
    return {Mask(v0, v1, v2, v3, vdupq_n_u8('\r')), Mask(v0, v1, v2, v3, vdupq_n_u8('\n'))};
  }
  // The processor's own count (CNT and ADDV).

  static uint8x16_t Load(const char* p) {
    return vld1q_u8(reinterpret_cast<const std::uint8_t*>(p));
  }
  static std::uint64_t Mask(uint8x16_t v0, uint8x16_t v1, uint8x16_t v2, uint8x16_t v3,
                            uint8x16_t c) {
    // The bytes 1, 2, 4, ..., 128, twice.
    const uint8x16_t places = vreinterpretq_u8_u64(vdupq_n_u64(0x8040201008040201u));
    const uint8x16_t b0 = vandq_u8(vceqq_u8(v0, c), places);
    const uint8x16_t b1 = vandq_u8(vceqq_u8(v1, c), places);
    const uint8x16_t b2 = vandq_u8(vceqq_u8(v2, c), places);
    const uint8x16_t b3 = vandq_u8(vceqq_u8(v3, c), places);
    const uint8x16_t pairs = vpaddq_u8(vpaddq_u8(b0, b1), vpaddq_u8(b2, b3));
    return vgetq_lane_u64(vreinterpretq_u64_u8(vpaddq_u8(pairs, pairs)), 0);
  }
};
using PlainMasks = NeonMasks;

#else

using PlainMasks = BytewiseMasks;

#endif

// The '<'s of 64 bytes.
inline std::uint64_t OpenMaskOf(const char* p) { return PlainMasks::Opens(p); }

#ifdef TALLYO_BYTE_MASKS_AVX2

// The same with AVX2. The program is built for plain x86-64, so these are
// compiled for those instructions on their own and used only where HasAvx2 says so: their
// callers carry the same target. The '<'s are looked for in short windows only, where
// SSE2 suffices.
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
};

inline bool HasAvx2() { return __builtin_cpu_supports("avx2"); }

#endif

}  // namespace tallyo
