#include "platform/Rounding.h"

#include <cmath>

namespace tallyo {

double RoundHalfEven(double v) {
  // Written out rather than std::nearbyint so that the result never depends on the
  // floating-point rounding mode another part of the process might have set.
  if (!(std::fabs(v) < kNoFractionBelow)) return v;  // NaN, infinities, whole numbers
  const double down = std::floor(v);
  const double rest = v - down;  // exact for |v| < 2^52
  const bool up = rest > 0.5 || (rest == 0.5 && std::fmod(down, 2.0) != 0.0);
  const double r = up ? down + 1.0 : down;
  return r == 0.0 ? std::copysign(0.0, v) : r;
}

double RoundTo2HalfEven(double v) {
  if (!(std::fabs(v) < kNoFractionBelow)) return v;
  return RoundHalfEven(v * 100.0) / 100.0;
}

std::optional<std::int16_t> ToInt16HalfEven(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;  // NaN fails both tests
  return static_cast<std::int16_t>(r);
}

}  // namespace tallyo
