// The interval limit and DrawGraph on arbitrary series, view bounds, switches and Interval
// text: NaN, infinities, huge and tiny values, views that start or end outside the series,
// fractional, reversed or NaN views. Every draw must end, read nothing outside the series
// (the build checks every subscript), hand the surface only finite numbers and change
// nothing of what it reads; every Interval text that is a number must be held inside
// 10..120, and the box then show a text that reads as the held interval.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "chart/DrawGraph.h"
#include "chart/Summary.h"
#include "platform/TextRules.h"
#include "support/RecordingSurface.h"
#include "viewer/ViewerState.h"

namespace {

using tallyo::kLastIndex;

double PickDouble(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::numeric_limits<double>::infinity();
    case 2:
      return -std::numeric_limits<double>::infinity();
    case 3:
      return 0.0;
    case 4:
      return -0.0;
    case 5:
      return std::numeric_limits<double>::max();
    case 6:
      return std::numeric_limits<double>::lowest();
    case 7:
      return std::numeric_limits<double>::denorm_min();
    case 8:
      return in.ConsumeIntegral<std::int16_t>();
    case 9:
      return in.ConsumeIntegralInRange<int>(-40000, 40000) / 4.0;
    case 10: {
      const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
      double v;
      std::memcpy(&v, &bits, sizeof v);
      return v;
    }
    case 11:
      return in.ConsumeFloatingPointInRange<double>(-1e6, 1e6);
    case 12:
      return in.ConsumeFloatingPoint<double>();
    default:
      return in.ConsumeIntegralInRange<int>(-3, kLastIndex + 3) + 0.5;
  }
}

// A series switch: mostly 0 or 1 as the check boxes set them, sometimes anything.
std::int16_t PickSwitch(FuzzedDataProvider& in) {
  const int pick = in.ConsumeIntegralInRange<int>(0, 3);
  return pick < 2 ? static_cast<std::int16_t>(pick) : in.ConsumeIntegral<std::int16_t>();
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// What DrawGraph must leave as it was: everything it reads.
struct Untouched {
  void Take(const tallyo::ViewerState& s) {
    volts = s.voltsSeries, amps = s.ampsSeries, watts = s.wattsSeries, rpm = s.rpmSeries;
    time = s.timeSeries, speed = s.speedSeries, m = s.mSeries;
    viewStart = s.viewStart, viewEnd = s.viewEnd, recordCount = s.recordCount;
    logInterval = s.logInterval;
    const std::int16_t now[] = {s.refVoltsToZero, s.showVolts, s.showAmps,
                                s.showWatts,      s.showRpm,   s.showSpeed};
    std::memcpy(switches, now, sizeof switches);
  }

  // Bit for bit, so that NaN equals NaN.
  bool operator==(const Untouched& o) const {
    return SameBits(volts, o.volts) && SameBits(amps, o.amps) && SameBits(watts, o.watts) &&
           SameBits(rpm, o.rpm) && SameBits(time, o.time) && SameBits(speed, o.speed) && m == o.m &&
           Same(viewStart, o.viewStart) && Same(viewEnd, o.viewEnd) &&
           recordCount == o.recordCount && logInterval == o.logInterval &&
           std::memcmp(switches, o.switches, sizeof switches) == 0;
  }

  static bool SameBits(const tallyo::Series& a, const tallyo::Series& b) {
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
  }

  tallyo::Series volts, amps, watts, rpm, time, speed;
  tallyo::MSeries m;
  double viewStart = 0, viewEnd = 0;
  std::int16_t recordCount = 0;
  std::int16_t logInterval = 0;
  std::int16_t switches[6] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // A fresh window state for every input, made anew in the same storage.
  static const auto storage = std::make_unique<tallyo::ViewerState>();
  storage->~ViewerState();
  tallyo::ViewerState& s = *new (storage.get()) tallyo::ViewerState();

  s.viewStart = PickDouble(in);
  s.viewEnd = PickDouble(in);
  s.refVoltsToZero = PickSwitch(in);
  s.showVolts = PickSwitch(in);
  s.showAmps = PickSwitch(in);
  s.showWatts = PickSwitch(in);
  s.showRpm = PickSwitch(in);
  s.showSpeed = PickSwitch(in);
  s.logInterval = in.ConsumeIntegral<std::int16_t>();
  s.recordCount = in.ConsumeIntegralInRange<std::int16_t>(0, 10000);
  // What was there before (once the working values of an earlier draw).
  PickDouble(in);
  PickDouble(in);
  PickDouble(in);

  tallyo::Series* series[] = {&s.voltsSeries, &s.ampsSeries, &s.wattsSeries,
                              &s.rpmSeries,   &s.timeSeries, &s.speedSeries};
  // Whole stretches first: a constant or a ramp over a run of records.
  const int runs = in.ConsumeIntegralInRange<int>(0, 4);
  for (int r = 0; r < runs; ++r) {
    tallyo::Series& target = *series[in.ConsumeIntegralInRange<int>(0, 5)];
    const int from = in.ConsumeIntegralInRange<int>(1, kLastIndex);
    const int to = in.ConsumeIntegralInRange<int>(from, kLastIndex);
    const double first = PickDouble(in);
    const double step = in.ConsumeBool() ? 0.0 : PickDouble(in);
    for (int k = from; k <= to; ++k) target[k] = first + step * (k - from);
  }
  const int mRuns = in.ConsumeIntegralInRange<int>(0, 2);
  for (int r = 0; r < mRuns; ++r) {
    const int from = in.ConsumeIntegralInRange<int>(1, kLastIndex);
    const int to = in.ConsumeIntegralInRange<int>(from, kLastIndex);
    const std::int16_t m = in.ConsumeBool() ? 1 : in.ConsumeIntegral<std::int16_t>();
    for (int k = from; k <= to; ++k) s.mSeries[k] = m;
  }
  // Then single values, most of them near the ends of the view.
  const int singles = in.ConsumeIntegralInRange<int>(0, 64);
  for (int n = 0; n < singles && in.remaining_bytes() > 0; ++n) {
    int k = in.ConsumeIntegralInRange<int>(1, kLastIndex);
    if (in.ConsumeBool()) {
      const double end = in.ConsumeBool() ? s.viewStart : s.viewEnd;
      if (end >= 1 && end <= kLastIndex) {
        k = static_cast<int>(end) + in.ConsumeIntegralInRange<int>(-2, 2);
        k = k < 1 ? 1 : (k > kLastIndex ? kLastIndex : k);
      }
    }
    if (in.ConsumeIntegralInRange<int>(0, 6) == 0) {
      s.mSeries[k] = in.ConsumeBool() ? 1 : in.ConsumeIntegral<std::int16_t>();
    } else {
      (*series[in.ConsumeIntegralInRange<int>(0, 5)])[k] = PickDouble(in);
    }
  }

  const std::string intervalText = in.ConsumeRandomLengthString(24);
  const bool intervalIsNumber = tallyo::ParseIntervalText(intervalText).has_value();
  if (intervalIsNumber) {
    const std::int16_t value = *tallyo::ParseIntervalText(intervalText);
    const std::int16_t held = tallyo::HeldInterval(value);
    TALLYO_FUZZ_CHECK(held >= 10 && held <= 120 && (held == value || value < 10 || value > 120));
    // What the box then shows reads as the held interval.
    const std::string shown = held != value ? std::to_string(held) : intervalText;
    TALLYO_FUZZ_CHECK(tallyo::ParseIntervalText(shown) == held);
    s.logInterval = held;
  }

  static const auto before = std::make_unique<Untouched>();
  static const auto after = std::make_unique<Untouched>();
  before->Take(s);
  tallyo::test::CountingSurface plot;
  const std::optional<tallyo::Summary> summary = tallyo::DrawGraph(s, s, plot);

  // Nothing it reads has changed.
  after->Take(s);
  TALLYO_FUZZ_CHECK(*after == *before);

  TALLYO_FUZZ_CHECK(plot.clears == 1);
  TALLYO_FUZZ_CHECK(!plot.sawNonFinite);
  if (!(s.viewStart < s.viewEnd)) {
    TALLYO_FUZZ_CHECK(plot.lines == 0 && plot.boxes == 0 && plot.scaleCalls == 0);
    TALLYO_FUZZ_CHECK(!summary);
  } else {
    // At most one band and five segments per entry of the series, and two zero lines.
    TALLYO_FUZZ_CHECK(plot.boxes <= tallyo::kSeriesSize);
    TALLYO_FUZZ_CHECK(plot.lines <= 5u * tallyo::kSeriesSize + 2);
    TALLYO_FUZZ_CHECK(summary.has_value());
    for (int i = 0; i < tallyo::kSummaryLabels; ++i) {
      const std::string caption =
          tallyo::SummaryCaption(*summary, static_cast<tallyo::SummaryLabel>(i), s.numberFormat);
      TALLYO_FUZZ_CHECK(!caption.empty() && caption.size() <= 400);
    }
  }
  return 0;
}
