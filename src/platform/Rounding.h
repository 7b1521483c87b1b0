#pragma once
// Rounding rules shared by the whole program: wherever a number becomes an integer it goes
// to the nearest integer, halves to the even one (12.5 -> 12, 13.5 -> 14).

#include <cstdint>
#include <optional>

namespace tallyo {

// From 2^52 on every double is a whole number.
inline constexpr double kNoFractionBelow = 4503599627370496.0;

// Nearest integer, halves to even. NaN and infinities come back unchanged.
double RoundHalfEven(double v);

// Two decimals, halves (of the binary value times 100) to even: 0.125 -> 0.12,
// 0.375 -> 0.38, -0.504 -> -0.5.
double RoundTo2HalfEven(double v);

// v rounded half to even when the result fits a 16-bit signed integer; nullopt for NaN,
// infinities and anything outside -32768..32767.
std::optional<std::int16_t> ToInt16HalfEven(double v);

}  // namespace tallyo
