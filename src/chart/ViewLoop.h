#pragma once
// How DrawGraph walks through the view: a loop value runs in steps of 1 as a 64-bit float,
// and each loop value names the record at its rounded index.

#include <cmath>
#include <cstdint>
#include <limits>

#include "log/DayRecords.h"
#include "platform/Rounding.h"

namespace tallyo {

// Whether a rounded loop value names an entry of the series. A view may reach beyond them
// (a zoom released far to the right of a long display); loop values outside are neither
// drawn nor counted, so a draw never reads past index 10000 or before index 0.
inline bool InSeries(double index) { return index >= 0 && index <= kLastIndex; }

// A loop value rounded to its record index, halves to the even integer (RoundHalfEven).
// In a view that starts at a whole record, as every view does until a zoom, each loop
// value is whole already and is its own index; only the others take the general rounding.
inline double LoopIndex(double i) {
  if (i > -2147483648.0 && i < 2147483648.0 &&
      static_cast<double>(static_cast<std::int32_t>(i)) == i)
    return i;
  return RoundHalfEven(i);
}

// The loop value at which a loop that starts at `first` and steps by 1 begins its work.
// That is `first` itself, unless the view starts far to the left of index 0: then it is
// the value first + n (n whole) a little short of index 0, found without stepping there,
// since from -1e300 a step of 1 does not even change the value. For starts above -2^53
// stepping up to that value is exact, so it is the very value the steps would reach.
// A start of -infinity has no loop value at all: NaN, which ends any loop at once.
inline double FirstLoopValue(double first) {
  constexpr double kShortOfZero = -2.5;
  if (!(first < kShortOfZero)) return first;
  if (std::isinf(first)) return std::numeric_limits<double>::quiet_NaN();
  return first + std::ceil(kShortOfZero - first);
}

}  // namespace tallyo
