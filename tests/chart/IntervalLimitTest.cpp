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
  s.logInterval = 33;
  controls.intervalText = c.text;
  LimitLogInterval(s, controls);
  EXPECT_EQ(controls.intervalText, c.shown);
  EXPECT_EQ(s.logInterval, c.interval);
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
  controls.intervalText = "60";
  LimitLogInterval(s, controls);
  EXPECT_TRUE(controls.setIntervalTexts.empty());
  controls.intervalText = "7";
  LimitLogInterval(s, controls);
  EXPECT_EQ(controls.setIntervalTexts, std::vector<std::string>{"10"});
}

// The limit is the first step of every draw: the box is set before the chart is cleared,
// also when nothing is drawn afterwards.
TEST_F(ChartTest, IntervalLimitRunsBeforeTheClear) {
  for (double viewEnd : {1.0, 3.0}) {
    plot.Reset();
    controls.setIntervalTexts.clear();
    Load(3, [](int) { return Reading{.volts = 12, .amps = 10}; });
    s.viewEnd = viewEnd;
    controls.intervalText = "500";
    std::size_t callsBefore = 99;
    controls.onSetIntervalText = [&](std::string_view) { callsBefore = plot.calls.size(); };
    Draw();
    EXPECT_EQ(controls.setIntervalTexts, std::vector<std::string>{"120"});
    EXPECT_EQ(callsBefore, 0u) << viewEnd;
    EXPECT_EQ(s.logInterval, 120);
  }
}

}  // namespace
}  // namespace tallyo::test
