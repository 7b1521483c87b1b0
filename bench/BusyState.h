#pragma once
// What the redraw benchmarks of both editions draw: 9,999 records of a windy stretch, and
// the redraw as the window runs it without controls (the interval held, the chart drawn,
// the thirteen captions made), so that the redraw is timed on the chart alone.

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "chart/DrawGraph.h"
#include "chart/Summary.h"
#include "platform/TextRules.h"
#include "viewer/ViewerState.h"

namespace tallyo::bench {

constexpr int kRecords = 9999;

// The window's redraw, with the Interval box's text and the labels' captions held here.
class QuietRedraw {
 public:
  void operator()(ViewerState& s, DrawSurface& plot) {
    if (const std::optional<std::int16_t> value = ParseIntervalText(interval_, s.numberFormat)) {
      s.logInterval = HeldInterval(*value);
      if (s.logInterval != *value) interval_ = std::to_string(s.logInterval);
    }
    const std::optional<Summary> summary = DrawGraph(s, s, plot);
    if (!summary) return;
    for (int i = 0; i < kSummaryLabels; ++i) {
      captions_[i] = SummaryCaption(*summary, static_cast<SummaryLabel>(i), s.numberFormat);
    }
  }

 private:
  std::string interval_ = "10";
  std::array<std::string, kSummaryLabels> captions_;
};

// A state holding 9,999 records of a windy stretch: slow swings with jitter on every
// reading, M set on every third record, all five curves on.
inline std::unique_ptr<ViewerState> BusyState() {
  auto s = std::make_unique<ViewerState>();
  std::uint64_t seed = 0x9E3779B97F4A7C15ull;
  auto noise = [&seed] {  // -1 .. 1
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(seed >> 11) / static_cast<double>(1ull << 52) - 1.0;
  };
  for (int k = 1; k <= kRecords; ++k) {
    const double swing = std::sin(k / 400.0) + 0.4 * std::sin(k / 37.0);
    s->timeSeries[k] = k * 10.0 / 86400.0;
    s->voltsSeries[k] = 13.0 + 0.8 * swing + 0.1 * noise();
    s->ampsSeries[k] = 4.0 + 6.0 * swing + 1.5 * noise();
    s->wattsSeries[k] = s->voltsSeries[k] * s->ampsSeries[k];
    s->rpmSeries[k] = 300 + 150 * swing + 40 * noise();
    s->speedSeries[k] = 7 + 3 * swing + 1.2 * noise();
    s->mSeries[k] = k % 3 == 0 ? 1 : 0;
  }
  s->recordCount = kRecords;
  s->viewStart = 1;
  s->viewEnd = kRecords;
  s->logInterval = 10;
  s->showVolts = s->showAmps = s->showWatts = s->showRpm = s->showSpeed = 1;
  s->refVoltsToZero = 1;
  return s;
}

}  // namespace tallyo::bench
