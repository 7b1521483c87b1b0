#pragma once
// The records of one day's file as DISPLAY keeps them, and the time window that chose them.

#include <array>
#include <cstdint>

namespace tallyo {

// Indices 0..10000. Record k of a display lies at index k (1..recordCount); index 0 is
// never written.
inline constexpr int kSeriesSize = 10001;
inline constexpr int kLastIndex = kSeriesSize - 1;

using Series = std::array<double, kSeriesSize>;
using MSeries = std::array<std::int16_t, kSeriesSize>;

// Times of day as fractions of a day; a record lies strictly between the two.
struct TimeWindow {
  double startTime = 0;
  double finishTime = 0;
};

// The series are large fixed arrays, written in place by each display: entries above
// recordCount keep what an earlier, longer display left there.
struct DayRecords : TimeWindow {
  Series voltsSeries{};
  Series ampsSeries{};
  Series wattsSeries{};
  Series rpmSeries{};
  Series timeSeries{};  // fraction of a day
  MSeries mSeries{};
  Series speedSeries{};
  std::int16_t recordCount = 0;
};

}  // namespace tallyo
