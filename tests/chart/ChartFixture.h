#pragma once
// A viewer state as the window leaves it after load (volts, amps, watts shown, volts
// referred to 0 V, interval 10 s), with the fake controls and a recording surface.

#include <gtest/gtest.h>

#include <memory>

#include "chart/DrawGraph.h"
#include "support/FakeChartControls.h"
#include "support/RecordingSurface.h"
#include "viewer/ViewerState.h"

namespace tallyo::test {

struct Reading {
  double volts = 0, amps = 0, watts = 0, rpm = 0, speed = 0;
  std::int16_t m = 0;
  double time = 0;
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

  void Draw() { DrawGraph(s, controls, plot); }

  std::vector<SurfaceCall> Lines(Colour colour) const { return plot.Of(SurfaceOp::kLine, colour); }
  const std::string& Caption(SummaryLabel label) const { return controls.Caption(label); }

  std::unique_ptr<ViewerState> owned = std::make_unique<ViewerState>();
  ViewerState& s = *owned;
  FakeChartControls controls{s};
  RecordingSurface plot;
};

}  // namespace tallyo::test
