// DrawGraph on arbitrary series, view bounds, switches and Interval text: NaN, infinities,
// huge and tiny values, views that start or end outside the series, fractional, reversed
// or NaN views. Every draw must end, read nothing outside the series (the build checks
// every subscript), hand the surface only finite numbers, change nothing of the state but
// its own fields, and leave the interval inside 10..120 when its text is a number.
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
#include "platform/TextRules.h"
#include "support/FakeChartControls.h"
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

// What DrawGraph must leave as it was: everything but its working values and the interval.
struct Untouched {
  void Take(const tallyo::ViewerState& s) {
    volts = s.voltsSeries, amps = s.ampsSeries, watts = s.wattsSeries, rpm = s.rpmSeries;
    time = s.timeSeries, speed = s.speedSeries, m = s.mSeries;
    viewStart = s.viewStart, viewEnd = s.viewEnd, recordCount = s.recordCount;
    const std::int16_t now[] = {s.refVoltsToZero, s.showVolts, s.showAmps,
                                s.showWatts,      s.showRpm,   s.showSpeed};
    std::memcpy(switches, now, sizeof switches);
  }

  // Bit for bit, so that NaN equals NaN.
  bool operator==(const Untouched& o) const {
    return SameBits(volts, o.volts) && SameBits(amps, o.amps) && SameBits(watts, o.watts) &&
           SameBits(rpm, o.rpm) && SameBits(time, o.time) && SameBits(speed, o.speed) && m == o.m &&
           Same(viewStart, o.viewStart) && Same(viewEnd, o.viewEnd) &&
           recordCount == o.recordCount && std::memcmp(switches, o.switches, sizeof switches) == 0;
  }

  static bool SameBits(const tallyo::Series& a, const tallyo::Series& b) {
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
  }

  tallyo::Series volts, amps, watts, rpm, time, speed;
  tallyo::MSeries m;
  double viewStart = 0, viewEnd = 0;
  std::int16_t recordCount = 0;
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
  // The working values left by an earlier draw.
  s.voltsMax = PickDouble(in);
  s.voltsMin = PickDouble(in);
  s.energyWh = PickDouble(in);

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

  tallyo::test::FakeChartControls controls(s);
  controls.intervalText = in.ConsumeRandomLengthString(24);
  const bool intervalIsNumber = tallyo::ParseIntervalText(controls.intervalText).has_value();

  static const auto before = std::make_unique<Untouched>();
  static const auto after = std::make_unique<Untouched>();
  before->Take(s);
  tallyo::test::CountingSurface plot;
  tallyo::DrawGraph(s, controls, plot);

  // Nothing but DrawGraph's own fields changed.
  after->Take(s);
  TALLYO_FUZZ_CHECK(*after == *before);

  if (intervalIsNumber) {
    TALLYO_FUZZ_CHECK(s.logInterval >= 10 && s.logInterval <= 120);
    const std::optional<std::int16_t> shown = tallyo::ParseIntervalText(controls.intervalText);
    TALLYO_FUZZ_CHECK(shown && *shown == s.logInterval);
  }

  TALLYO_FUZZ_CHECK(plot.clears == 1);
  TALLYO_FUZZ_CHECK(!plot.sawNonFinite);
  if (!(s.viewStart < s.viewEnd)) {
    TALLYO_FUZZ_CHECK(plot.lines == 0 && plot.boxes == 0 && plot.scaleCalls == 0);
    TALLYO_FUZZ_CHECK(controls.captionOrder.empty());
  } else {
    // At most one band and five segments per entry of the series, and two zero lines.
    TALLYO_FUZZ_CHECK(plot.boxes <= tallyo::kSeriesSize);
    TALLYO_FUZZ_CHECK(plot.lines <= 5u * tallyo::kSeriesSize + 2);
    TALLYO_FUZZ_CHECK(controls.captionOrder.size() == 13);
    for (const std::string& caption : controls.captions) {
      TALLYO_FUZZ_CHECK(!caption.empty() && caption.size() <= 400);
    }
  }
  return 0;
}
