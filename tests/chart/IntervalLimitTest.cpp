#include <gtest/gtest.h>

#include "chart/ChartFixture.h"

namespace tallyo::test {
namespace {

struct LimitCase {
  const char* text;   // what the box holds before the draw
  const char* shown;  // what it holds after
  std::int16_t interval;
};

class ChartIntervalLimitTest : public ChartTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(ChartIntervalLimitTest, HoldsTheBoxTo10To120) {
  const LimitCase& c = GetParam();
  EXPECT_EQ(HoldBox(c.text).shown, c.shown);
  EXPECT_EQ(HoldBox(c.text).interval, c.interval);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ChartIntervalLimitTest,
    ::testing::Values(
        LimitCase{"5", "10", 10}, LimitCase{"500", "120", 120},
        LimitCase{"9.5", "9.5", 10},  // rounds to 10: left as typed
        LimitCase{"60", "60", 60}, LimitCase{" 30 ", " 30 ", 30}, LimitCase{"-5", "10", 10},
        LimitCase{"0", "10", 10}, LimitCase{"120.5", "120.5", 120}, LimitCase{"121", "120", 120},
        LimitCase{"1e2", "1e2", 100}, LimitCase{"32767", "120", 120}, LimitCase{"-32768", "10", 10},
        // Not a number by the box's reading: left alone, and so is logInterval.
        LimitCase{"abc", "abc", 33}, LimitCase{"", "", 33}, LimitCase{"40000", "40000", 33}));

TEST_F(ChartTest, IntervalSetOnlyWhenOutOfRange) {
  EXPECT_EQ(HeldInterval(60), 60);
  EXPECT_EQ(HeldInterval(7), 10);
  EXPECT_EQ(HeldInterval(-32768), 10);
  EXPECT_EQ(HeldInterval(32767), 120);
}

// The limit depends on the box's text alone: also a draw that stops at once (a view of one
// record) counts with the held interval, and the window lifts the box before it draws
// (GraphToolkitTest.IntervalLimitRunsBeforeTheClear).
TEST_F(ChartTest, IntervalLimitRunsBeforeTheClear) {
  for (double viewEnd : {1.0, 3.0}) {
    plot.Reset();
    Load(3, [](int) { return Reading{.volts = 12, .amps = 10}; });
    s.viewEnd = viewEnd;
    HoldInterval("500");
    EXPECT_EQ(s.logInterval, 120);
    Draw();
    EXPECT_EQ(plot.calls.front().op, SurfaceOp::kClear) << viewEnd;
    EXPECT_EQ(drawn.has_value(), viewEnd == 3.0);
    // 2 records x 12 V x 10 A x 120 s / 3600.
    if (drawn) {
      EXPECT_DOUBLE_EQ(drawn->energyWh, 8);
    }
  }
}

}  // namespace
}  // namespace tallyo::test
