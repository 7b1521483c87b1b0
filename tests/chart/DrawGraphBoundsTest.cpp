// Views and readings a draw must survive: views reaching beyond the series, bounds that
// are not numbers or too large for a step of 1 to change them, and absurd readings.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "chart/ChartFixture.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"

namespace tallyo::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();

class DrawGraphBoundsTest : public ChartTest {
 protected:
  // Every entry 0..10000 holds data, index k volts k, and every curve and band is on.
  void FillAll() {
    for (int k = 0; k <= kLastIndex; ++k) {
      Set(k, Reading{.volts = 1.0 * k,
                     .amps = 1,
                     .watts = 1.0 * k,
                     .rpm = 1.0 * k,
                     .speed = 1.0 * k,
                     .m = 1,
                     .time = (k % 1440) / 1440.0});
    }
    ShowOnly(true, true, true, true, true);
    s.refVoltsToZero = 1;
    s.logInterval = 36;  // each record 1 V x 1 A adds 0.01 Wh
  }
};

// A zoom released far right of a long display: only indices up to 10000 are drawn and
// counted, and ftime, whose index lies beyond, shows no time.
TEST_F(DrawGraphBoundsTest, ViewPastTheLastEntry) {
  FillAll();
  s.viewStart = 9990;
  s.viewEnd = 10050;
  Draw();
  EXPECT_FLOAT_EQ(plot.Of(SurfaceOp::kScaleWidth)[0].x1, 60);
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 10u);  // loop values 9991 .. 10000
  EXPECT_FLOAT_EQ(red.back().x2, 10);
  EXPECT_EQ(plot.Of(SurfaceOp::kBox, kLightBlue).size(), 10u);
  EXPECT_EQ(drawn->voltsMax, 10000);
  // Record k adds k V x 1 A x 36 s / 3600 = k / 100 Wh: 9991 .. 10000.
  EXPECT_NEAR(drawn->energyWh, 999.55, 1e-9);
  EXPECT_EQ(Caption(SummaryLabel::stime), ShortTime(s.timeSeries[9990]));
  EXPECT_EQ(Caption(SummaryLabel::ftime), "--:--");
}

// A view from far left: loop values with indices below 0 are passed over, the segment from
// index 0 to 1 is the first one.
TEST_F(DrawGraphBoundsTest, ViewFromFarLeft) {
  FillAll();
  for (double start : {-50.0, -1e300, -kMax}) {
    plot.Reset();
    s.viewStart = start;
    s.viewEnd = 5;
    Draw();
    const auto red = Lines(kRed);
    ASSERT_EQ(red.size(), 5u) << start;
    EXPECT_EQ(drawn->voltsMax, 5) << start;
    EXPECT_EQ(Caption(SummaryLabel::stime), "--:--");
  }
}

// A fractional view from the left keeps its fraction: the loop values are the ones a
// step-by-step walk would give.
TEST_F(DrawGraphBoundsTest, FractionalViewFromTheLeft) {
  FillAll();
  ShowOnly(true, false, false, false, false);
  s.viewStart = -1000.25;
  s.viewEnd = 3;
  Draw();
  // Loop values ... -0.25, 0.75, 1.75, 2.75: -0.25 has its previous index at -1 and draws
  // nothing; then the pairs (0, 1), (1, 2), (2, 3), x from 1000 to 1003.
  const auto red = Lines(kRed);
  ASSERT_EQ(red.size(), 3u);
  EXPECT_FLOAT_EQ(red[0].x1, 1000);
  EXPECT_EQ(drawn->voltsMax, 3);
  EXPECT_FLOAT_EQ(red[0].y1, 3.075);  // index 0
  EXPECT_FLOAT_EQ(red[0].y2, 2.075);  // index 1
  EXPECT_FLOAT_EQ(red[2].x2, 1003);
}

struct View {
  double start, end;
};

class DrawGraphAbsurdViewTest : public DrawGraphBoundsTest,
                                public ::testing::WithParamInterface<View> {};

// Each of these must end, touch nothing outside the series and hand the surface only
// finite numbers.
TEST_P(DrawGraphAbsurdViewTest, EndsSoundly) {
  FillAll();
  CountingSurface counting;
  s.viewStart = GetParam().start;
  s.viewEnd = GetParam().end;
  drawn = DrawGraph(s, s, counting);
  EXPECT_FALSE(counting.sawNonFinite);
  EXPECT_FALSE(counting.sawBadScale);
  EXPECT_LE(counting.lines, 5u * 10001u + 2u);
  EXPECT_LE(counting.boxes, 10001u);
  EXPECT_EQ(counting.clears, 1u);
}

INSTANTIATE_TEST_SUITE_P(Views, DrawGraphAbsurdViewTest,
                         ::testing::Values(View{kNaN, 5}, View{1, kNaN}, View{kNaN, kNaN},
                                           View{-kInf, 5}, View{1, kInf}, View{-kInf, kInf},
                                           View{kInf, kInf}, View{1e300, 2e300}, View{1e300, kInf},
                                           View{-1e300, 5}, View{-1e300, 1e300}, View{-kMax, kMax},
                                           View{0.3, 1e15}, View{-5.7, 3.2}, View{9999.5, 10000.4},
                                           View{10000.6, 20000}, View{-1e20, -1e19},
                                           View{-3e15 - 0.5, 2},
                                           View{9007199254740992.0, 9007199254740994.0},
                                           View{-0.5, 0.5}, View{0, 1e-300}, View{4, 3}));

// Readings of any value: NaN never wins an extreme and its segments are left out; huge
// values are held to the float range.
TEST_F(DrawGraphBoundsTest, AbsurdReadings) {
  const double values[] = {kNaN,  kInf, -kInf,  1e308, -1e308, kMax,
                           -kMax, 0,    5e-324, 1e39,  1e-300, -1e-300};
  constexpr int n = std::size(values);
  ShowOnly(true, true, true, true, true);
  for (int rotate = 0; rotate < n; ++rotate) {
    Load(n, [&](int k) {
      const double v = values[(k + rotate) % n];
      return Reading{.volts = v,
                     .amps = values[(k + rotate + 1) % n],
                     .watts = -v,
                     .rpm = v,
                     .speed = v,
                     .m = 1,
                     .time = v};
    });
    CountingSurface counting;
    drawn = DrawGraph(s, s, counting);
    EXPECT_FALSE(counting.sawNonFinite);
    EXPECT_FALSE(counting.sawBadScale);
    EXPECT_GT(counting.lines, 0u);
    EXPECT_FALSE(Caption(SummaryLabel::watts).empty());
    EXPECT_FALSE(Caption(SummaryLabel::VMax1).empty());
  }
}

// A range too narrow for a float still gives the surface a height above 0.
TEST_F(DrawGraphBoundsTest, TinyRangeStillHasAScale) {
  ShowOnly(true, true, true, true, true);
  Load(2, [](int k) { return Reading{.volts = k * 1e-300, .rpm = k * 1e-300}; });
  CountingSurface counting;
  drawn = DrawGraph(s, s, counting);
  EXPECT_FALSE(counting.sawBadScale);
  EXPECT_FALSE(counting.sawNonFinite);
  EXPECT_EQ(counting.lines, 5u);
}

TEST_F(DrawGraphBoundsTest, NaNReadingLeavesOutItsSegments) {
  ShowOnly(true, false, false, false, false);
  Load(4, [](int k) { return Reading{.volts = k == 2 ? kNaN : 10.0 * k}; });
  Draw();
  EXPECT_EQ(drawn->voltsMax, 40);
  EXPECT_EQ(Lines(kRed).size(), 1u);  // only record 3 to 4
  EXPECT_EQ(Caption(SummaryLabel::watts), "NaN Wh");
}

}  // namespace
}  // namespace tallyo::test
