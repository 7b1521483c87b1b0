#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartFixture.h"
#include "platform/Colours.h"

namespace tallyo::test {
namespace {

using DrawGraphTest = ChartTest;

// Two records, 12 V then 13 V, with and without the volts scale referred to 0 V.
struct TwoRecordCase {
  std::int16_t refVoltsToZero;
  double voltsMin, span, y1, y2;
};

class DrawGraphTwoRecordTest : public ChartTest,
                               public ::testing::WithParamInterface<TwoRecordCase> {};

TEST_P(DrawGraphTwoRecordTest, VoltsSegmentInItsOwnScale) {
  const TwoRecordCase& c = GetParam();
  s.refVoltsToZero = c.refVoltsToZero;
  ShowOnly(true, false, false, false, false);
  Load(2, [](int k) { return Reading{.volts = k == 1 ? 12.0 : 13.0}; });
  Draw();

  EXPECT_EQ(drawn->voltsMax, 13);
  EXPECT_EQ(drawn->voltsMin, c.voltsMin);
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 1u);
  EXPECT_FLOAT_EQ(red[0].width, 1);
  EXPECT_FLOAT_EQ(red[0].height, c.span);
  EXPECT_FLOAT_EQ(red[0].x1, 0);
  EXPECT_FLOAT_EQ(red[0].y1, c.y1);
  EXPECT_FLOAT_EQ(red[0].x2, 1);
  EXPECT_FLOAT_EQ(red[0].y2, c.y2);
}

INSTANTIATE_TEST_SUITE_P(RefVoltsToZero, DrawGraphTwoRecordTest,
                         ::testing::Values(TwoRecordCase{0, 12, 1.05, 1.025, 0.025},
                                           TwoRecordCase{1, 0, 13.65, 1.325, 0.325}));

// RPM all equal: below the start maximum and minimum it gives no range (a level line),
// above the start minimum 1000 it is scaled against that start value.
struct LevelCase {
  double rpm;
  double span, y;
};

class DrawGraphRpmTest : public ChartTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(DrawGraphRpmTest, CurveHeightAndLevel) {
  ShowOnly(false, false, false, true, false);
  const double rpm = GetParam().rpm;
  Load(5, [rpm](int) { return Reading{.rpm = rpm}; });
  Draw();
  const auto yellow = Lines(kYellow);
  ASSERT_EQ(yellow.size(), 4u);
  for (const SurfaceCall& line : yellow) {
    EXPECT_FLOAT_EQ(line.height, GetParam().span);
    EXPECT_FLOAT_EQ(line.y1, GetParam().y);
    EXPECT_FLOAT_EQ(line.y2, GetParam().y);
  }
  EXPECT_FLOAT_EQ(yellow.front().x1, 0);
  EXPECT_FLOAT_EQ(yellow.back().x2, 4);
}

INSTANTIATE_TEST_SUITE_P(Values, DrawGraphRpmTest,
                         ::testing::Values(LevelCase{0, 2, 1}, LevelCase{1500, 525, 12.5}));

TEST_F(DrawGraphTest, ZeroLinesWhereAQuantityCrossesZero) {
  Load(3, [](int k) {
    const double amps[] = {0, -3, 5, 1};
    const double watts[] = {0, -100, 300, 20};
    return Reading{.volts = 12, .amps = amps[k], .watts = watts[k]};
  });
  Draw();
  const auto zero = Lines(kCyan);
  ASSERT_EQ(zero.size(), 2u);
  // Amps -3..5: span 8.4, the level of 0 is 5 + 8 / 40.
  EXPECT_FLOAT_EQ(zero[0].height, 8.4);
  EXPECT_FLOAT_EQ(zero[0].x1, 0);
  EXPECT_FLOAT_EQ(zero[0].x2, 2);
  EXPECT_FLOAT_EQ(zero[0].y1, 5.2);
  EXPECT_FLOAT_EQ(zero[0].y2, 5.2);
  // Watts -100..300: span 420, level 300 + 10.
  EXPECT_FLOAT_EQ(zero[1].height, 420);
  EXPECT_FLOAT_EQ(zero[1].y1, 310);
  // The amps curve passes 0 at the zero line's level.
  const auto green = Lines(kGreen);
  ASSERT_EQ(green.size(), 2u);
  EXPECT_FLOAT_EQ(green[0].y1, 5 - (-3) + 0.2);
  EXPECT_FLOAT_EQ(green[0].y2, 0.2);
}

// Both heights are set whatever the values, one after the other, before any record.
TEST_F(DrawGraphTest, NoZeroLineUnlessBothSidesOfZero) {
  const double cases[][3] = {{0, 2, 5}, {-1, -2, -5}, {0, 0, 0}};
  for (const auto& amps : cases) {
    plot.Reset();
    Load(3, [&](int k) { return Reading{.amps = amps[k - 1], .watts = amps[k - 1]}; });
    Draw();
    EXPECT_TRUE(Lines(kCyan).empty()) << amps[0] << " " << amps[2];
    ASSERT_GE(plot.calls.size(), 4u);
    EXPECT_EQ(plot.calls[1].op, SurfaceOp::kScaleWidth);
    EXPECT_EQ(plot.calls[2].op, SurfaceOp::kScaleHeight);
    EXPECT_EQ(plot.calls[3].op, SurfaceOp::kScaleHeight);
  }
}

// The whole sequence of calls of a small draw: the zero lines first, then each record
// with its band first and its curves over it, each curve in its own height.
TEST_F(DrawGraphTest, DrawingOrder) {
  ShowOnly(true, true, false, false, false);
  Load(3, [](int k) {
    const double amps[] = {0, -1, 1, 3};
    return Reading{.volts = 10, .amps = amps[k], .m = static_cast<std::int16_t>(k == 3)};
  });
  Draw();
  // volts 10 with ref 0 V: range 10, span 10.5; amps -1..3: span 4.2; watts none: 2.
  using enum SurfaceOp;
  const SurfaceOp want[] = {kClear,       kScaleWidth, kScaleHeight, kLine, kScaleHeight,
                            kScaleHeight, kLine,       kScaleHeight, kLine, kBox,
                            kScaleHeight, kLine,       kScaleHeight, kLine, kFlush};
  ASSERT_EQ(plot.calls.size(), std::size(want));
  for (std::size_t n = 0; n < std::size(want); ++n) EXPECT_EQ(plot.calls[n].op, want[n]) << n;
  EXPECT_FLOAT_EQ(plot.calls[1].x1, 2);
  EXPECT_FLOAT_EQ(plot.calls[2].x1, 4.2);
  EXPECT_EQ(plot.calls[3].colour, kCyan);
  EXPECT_FLOAT_EQ(plot.calls[4].x1, 2);  // watts
  EXPECT_FLOAT_EQ(plot.calls[5].x1, 10.5);
  EXPECT_EQ(plot.calls[6].colour, kRed);
  EXPECT_FLOAT_EQ(plot.calls[7].x1, 4.2);
  EXPECT_EQ(plot.calls[8].colour, kGreen);
  // Record 3's band, from x 1 to 2, down to voltsMax in the amps height.
  const SurfaceCall& band = plot.calls[9];
  EXPECT_EQ(band.colour, kLightBlue);
  EXPECT_FLOAT_EQ(band.x1, 1);
  EXPECT_FLOAT_EQ(band.y1, 0);
  EXPECT_FLOAT_EQ(band.x2, 2);
  EXPECT_FLOAT_EQ(band.y2, 10);
  EXPECT_FLOAT_EQ(band.height, 4.2);
}

TEST_F(DrawGraphTest, ZoomedViewDrawsTheRecordsItCovers) {
  Load(100, [](int k) { return Reading{.volts = static_cast<double>(k), .time = k / 1440.0}; });
  ShowOnly(true, false, false, false, false);
  s.viewStart = 20.25;
  s.viewEnd = 60.75;
  Draw();
  ASSERT_EQ(plot.Count(SurfaceOp::kScaleWidth), 1u);
  EXPECT_FLOAT_EQ(plot.Of(SurfaceOp::kScaleWidth)[0].x1, 40.5);
  // voltsMax is record 60's (loop values 20.25 .. 60.25), voltsMin 0 by the reference.
  EXPECT_EQ(drawn->voltsMax, 60);
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 40u);
  const double margin = 60.0 / 40;
  for (std::size_t n = 0; n < red.size(); ++n) {
    EXPECT_FLOAT_EQ(red[n].x1, n);
    EXPECT_FLOAT_EQ(red[n].x2, n + 1.0);
    EXPECT_FLOAT_EQ(red[n].y1, 60 - (20.0 + n) + margin);
    EXPECT_FLOAT_EQ(red[n].y2, 60 - (21.0 + n) + margin);
  }
  EXPECT_EQ(Caption(SummaryLabel::stime), "00:20");
  EXPECT_EQ(Caption(SummaryLabel::ftime), "01:01");
}

// From 20.5 the loop values 21.5, 22.5, 23.5 round to 22, 22, 24 and their previous ones to
// 20, 22, 22: the odd records are skipped, in the curves as in the extremes.
TEST_F(DrawGraphTest, HalfwayStartSkipsOddRecords) {
  Load(30, [](int k) { return Reading{.volts = k % 2 ? 1000.0 : k}; });
  ShowOnly(true, false, false, false, false);
  s.viewStart = 20.5;
  s.viewEnd = 23.5;
  Draw();
  EXPECT_EQ(drawn->voltsMax, 24);
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 3u);
  // y = (24 - v) + 24 / 40, so v = 24.6 - y.
  const int want[3][2] = {{20, 22}, {22, 22}, {22, 24}};
  for (int n = 0; n < 3; ++n) {
    EXPECT_NEAR(24.6 - red[n].y1, want[n][0], 1e-5) << n;
    EXPECT_NEAR(24.6 - red[n].y2, want[n][1], 1e-5) << n;
  }
}

TEST_F(DrawGraphTest, ViewStartRoundingToZeroTakesInIndexZero) {
  Load(3, [](int) { return Reading{.volts = 12, .rpm = 1500, .time = 0.5}; });
  s.refVoltsToZero = 0;
  s.viewStart = 0.4;
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::stime), "00:00");
  EXPECT_EQ(drawn->voltsMin, 0);  // index 0 holds 0 for every quantity
  EXPECT_EQ(Caption(SummaryLabel::RMin1), "0 RPM");
}

// Every record from viewStart + 1 on gets its band; record viewStart never does.
TEST_F(DrawGraphTest, BandsFromTheSecondRecordOfTheView) {
  Load(4, [](int) { return Reading{.volts = 10, .m = 1}; });
  s.mSeries[2] = 2;  // only the value 1 makes a band
  Draw();
  const auto bands = plot.Of(SurfaceOp::kBox, kLightBlue);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_FLOAT_EQ(bands[0].x1, 1);  // record 3
  EXPECT_FLOAT_EQ(bands[1].x1, 2);  // record 4
  EXPECT_EQ(plot.Count(SurfaceOp::kBox), 2u);
}

// A band is measured in the height the step before left in force: wattsSpan for the first
// loop value, then the span of the last curve drawn for the loop value before.
struct BandCase {
  bool volts, amps, watts, rpm, speed;
  double laterHeight;
};

class DrawGraphBandTest : public ChartTest, public ::testing::WithParamInterface<BandCase> {};

TEST_P(DrawGraphBandTest, HeightInForce) {
  const BandCase& c = GetParam();
  ShowOnly(c.volts, c.amps, c.watts, c.rpm, c.speed);
  // Spans: volts 0..10 10.5, amps -3..5 8.4, watts 0..100 105, RPM 0..200 210, speed 0..30 31.5.
  Load(4, [](int k) {
    const bool low = k % 2;
    return Reading{.volts = low ? 5.0 : 10.0,
                   .amps = low ? -3.0 : 5.0,
                   .watts = low ? 0.0 : 100.0,
                   .rpm = low ? 0.0 : 200.0,
                   .speed = low ? 0.0 : 30.0,
                   .m = 1};
  });
  Draw();
  const auto bands = plot.Of(SurfaceOp::kBox, kLightBlue);
  ASSERT_EQ(bands.size(), 3u);
  EXPECT_FLOAT_EQ(bands[0].height, 105);
  EXPECT_FLOAT_EQ(bands[1].height, c.laterHeight);
  EXPECT_FLOAT_EQ(bands[2].height, c.laterHeight);
  for (const SurfaceCall& b : bands) EXPECT_FLOAT_EQ(b.y2, 10);
}

INSTANTIATE_TEST_SUITE_P(Switches, DrawGraphBandTest,
                         ::testing::Values(BandCase{true, false, false, false, false, 10.5},
                                           BandCase{false, true, false, false, false, 8.4},
                                           BandCase{true, true, true, false, false, 105},
                                           BandCase{true, false, false, true, false, 210},
                                           BandCase{true, true, true, true, true, 31.5},
                                           BandCase{false, false, false, false, true, 31.5},
                                           BandCase{false, false, false, false, false, 105}));

TEST_F(DrawGraphTest, OnlySwitchesAtOneDrawACurve) {
  Load(3, [](int k) { return Reading{.volts = 1.0 * k, .amps = 1.0 * k, .watts = 1.0 * k}; });
  s.showVolts = 2;
  s.showAmps = -1;
  s.showWatts = 1;
  Draw();
  EXPECT_TRUE(Lines(kRed).empty());
  EXPECT_TRUE(Lines(kGreen).empty());
  EXPECT_EQ(Lines(kBlue).size(), 2u);
}

// A single record (view 1 to 1) clears the chart and reports nothing, so the labels and
// working values stay (GraphToolkitTest.OneRecordKeepsTheLabelsAndWorkingValues).
TEST_F(DrawGraphTest, OneRecordClearsAndKeepsEverythingElse) {
  Load(1, [](int) { return Reading{.volts = 12, .amps = 3}; });
  drawn = Summary{};
  Draw();
  ASSERT_EQ(plot.calls.size(), 2u);
  EXPECT_EQ(plot.calls[0].op, SurfaceOp::kClear);
  EXPECT_EQ(plot.calls[1].op, SurfaceOp::kFlush);
  EXPECT_FALSE(drawn.has_value());
}

// A redraw starts from the start values again and reuses nothing of the draw before.
TEST_F(DrawGraphTest, RedrawStartsAfresh) {
  Load(3, [](int) { return Reading{.volts = 50, .rpm = 2000}; });
  Draw();
  EXPECT_EQ(drawn->rpmMax, 2000);
  Load(3, [](int) { return Reading{.volts = 20, .rpm = 10}; });
  plot.Reset();
  Draw();
  EXPECT_EQ(drawn->voltsMax, 20);
  EXPECT_EQ(drawn->rpmMax, 10);
  EXPECT_EQ(plot.calls.front().op, SurfaceOp::kClear);
  EXPECT_EQ(plot.calls.back().op, SurfaceOp::kFlush);
}

}  // namespace
}  // namespace tallyo::test
