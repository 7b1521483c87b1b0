#pragma once
// Records and a view as the window leaves them after load (volts, amps, watts shown, volts
// referred to 0 V, interval 10 s), and a recording surface to draw them on.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "chart/DrawGraph.h"
#include "chart/Summary.h"
#include "platform/TextRules.h"
#include "support/RecordingSurface.h"

namespace tallyo::test {

struct Reading {
  double volts = 0, amps = 0, watts = 0, rpm = 0, speed = 0;
  std::int16_t m = 0;
  double time = 0;
};

// What a draw reads, and the notation its labels are written in.
struct ChartState : DayRecords, ChartView {
  NumberFormat numberFormat;
};

class ChartTest : public ::testing::Test {
 protected:
  ChartTest() {
    s.logInterval = 10;
    s.refVoltsToZero = 1;
    s.showVolts = 1;
    s.showAmps = 1;
    s.showWatts = 1;
  }

  void Set(int k, const Reading& r) {
    s.voltsSeries[k] = r.volts;
    s.ampsSeries[k] = r.amps;
    s.wattsSeries[k] = r.watts;
    s.rpmSeries[k] = r.rpm;
    s.speedSeries[k] = r.speed;
    s.mSeries[k] = r.m;
    s.timeSeries[k] = r.time;
  }

  // Records 1..n as DISPLAY leaves them: the view is the whole set.
  template <typename F>
  void Load(int n, F reading) {
    for (int k = 1; k <= n; ++k) Set(k, reading(k));
    s.recordCount = static_cast<std::int16_t>(n);
    s.viewStart = 1;
    s.viewEnd = n;
  }

  void ShowOnly(bool volts, bool amps, bool watts, bool rpm, bool speed) {
    s.showVolts = volts;
    s.showAmps = amps;
    s.showWatts = watts;
    s.showRpm = rpm;
    s.showSpeed = speed;
  }

  // What the window makes of the Interval box's text before a draw: the interval the draw
  // counts with, and the box's text afterwards (the held interval where it differs from
  // the box's value). A text that is no number changes neither: the interval stays (33).
  struct HeldBox {
    std::string shown;
    std::int16_t interval;
  };
  HeldBox HoldBox(std::string_view boxText) const {
    const std::optional<std::int16_t> value = ParseIntervalText(boxText, s.numberFormat);
    if (!value) return {std::string(boxText), 33};
    const std::int16_t held = HeldInterval(*value);
    return {held != *value ? std::to_string(held) : std::string(boxText), held};
  }
  void HoldInterval(std::string_view boxText) { s.logInterval = HoldBox(boxText).interval; }

  void Draw() { drawn = DrawGraph(s, s, plot); }

  std::vector<SurfaceCall> Lines(Colour colour) const { return plot.Of(SurfaceOp::kLine, colour); }
  // What the label shows after the last draw.
  std::string Caption(SummaryLabel label) const {
    return SummaryCaption(drawn.value(), label, s.numberFormat);
  }

  std::unique_ptr<ChartState> owned = std::make_unique<ChartState>();
  ChartState& s = *owned;
  RecordingSurface plot;
  std::optional<Summary> drawn;  // what the last draw found
};

}  // namespace tallyo::test
