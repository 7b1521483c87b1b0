#include <gtest/gtest.h>

#include <cmath>

#include "chart/ChartFixture.h"
#include "chart/RunningSummary.h"
#include "chart/Summary.h"

namespace tallyo::test {
namespace {

using SummaryLabelsChartTest = ChartTest;

TEST_F(SummaryLabelsChartTest, CaptionsInTheirOrderAndPatterns) {
  s.refVoltsToZero = 0;
  Load(3, [](int k) {
    const double volts[] = {0, 13.456, 0.5, 7};
    const double amps[] = {0, 5, 234.56, -12.34};
    const double watts[] = {0, 234.4, -2000.2, 10};
    const double rpm[] = {0, 1500, 1200, 1100};
    return Reading{.volts = volts[k],
                   .amps = amps[k],
                   .watts = watts[k],
                   .rpm = rpm[k],
                   .time = (6 * 60 + k) / 1440.0};
  });
  Draw();
  using enum SummaryLabel;
  // The order in which the window writes them.
  const SummaryLabel order[] = {stime, ftime, VMax1, VMin1, AMax1, AMin1, WMax1,
                                WMin1, RMax1, RMin1, SMax1, SMin1, watts};
  static_assert(std::size(order) == kSummaryLabels);
  for (int i = 0; i < kSummaryLabels; ++i) EXPECT_EQ(static_cast<int>(order[i]), i);
  EXPECT_EQ(Caption(stime), "06:01");
  EXPECT_EQ(Caption(ftime), "06:03");
  EXPECT_EQ(Caption(VMax1), "13.46 V");
  EXPECT_EQ(Caption(VMin1), "0.50 V");
  EXPECT_EQ(Caption(AMax1), "234.6 A");
  EXPECT_EQ(Caption(AMin1), "-12.3 A");
  EXPECT_EQ(Caption(WMax1), "234 W");
  EXPECT_EQ(Caption(WMin1), "-2000 W");
  EXPECT_EQ(Caption(RMax1), "1500 RPM");
  EXPECT_EQ(Caption(RMin1), "1000 RPM");  // the start value, all RPM being above it
  EXPECT_EQ(Caption(SMax1), "0 ");        // wind speed all 0: no unit, one blank
  EXPECT_EQ(Caption(SMin1), "0 ");
}

struct ExtremeCase {
  std::int16_t refVoltsToZero;
  double volts1, volts2, amps1, amps2;
  const char *vmax, *vmin, *amax, *amin;
};

class ChartExtremeLabelsTest : public ChartTest,
                               public ::testing::WithParamInterface<ExtremeCase> {};

TEST_P(ChartExtremeLabelsTest, StartValuesTakePart) {
  const ExtremeCase& c = GetParam();
  s.refVoltsToZero = c.refVoltsToZero;
  Load(2, [&](int k) {
    return Reading{.volts = k == 1 ? c.volts1 : c.volts2, .amps = k == 1 ? c.amps1 : c.amps2};
  });
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::VMax1), c.vmax);
  EXPECT_EQ(Caption(SummaryLabel::VMin1), c.vmin);
  EXPECT_EQ(Caption(SummaryLabel::AMax1), c.amax);
  EXPECT_EQ(Caption(SummaryLabel::AMin1), c.amin);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ChartExtremeLabelsTest,
    ::testing::Values(
        ExtremeCase{1, 12, 13, 5, 5, "13.00 V", "0.00 V", "5.0 A", "5.0 A"},
        ExtremeCase{0, 12, 13, 5, 5, "13.00 V", "12.00 V", "5.0 A", "5.0 A"},
        ExtremeCase{0, 120, 130, 600, 700, "130.00 V", "100.00 V", "700.0 A", "500.0 A"},
        ExtremeCase{1, -2.5, 3, -600, -700, "3.00 V", "-2.50 V", "-500.0 A", "-700.0 A"}));

TEST_F(SummaryLabelsChartTest, TimeOfViewBoundsOutsideTheSeries) {
  s.timeSeries[10000] = 0.5;
  s.viewStart = 9999.6;
  s.viewEnd = 10000.5;  // rounds to 10000, the last entry
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::stime), "12:00");
  EXPECT_EQ(Caption(SummaryLabel::ftime), "12:00");
  s.viewEnd = 10000.51;
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::ftime), "--:--");
  s.viewStart = -0.51;
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::stime), "--:--");
  s.viewStart = -0.5;  // rounds to 0
  Draw();
  EXPECT_EQ(Caption(SummaryLabel::stime), "00:00");
}

// Three records of 12 V and 10 A at 60 s: the first adds nothing, the others 2 Wh each.
struct EnergyCase {
  const char* interval;
  double amps;
  bool volts, ampsShown, watts, rpm, speed;
  double energy;
  const char* caption;
};

class ChartEnergyTest : public ChartTest, public ::testing::WithParamInterface<EnergyCase> {};

TEST_P(ChartEnergyTest, Total) {
  const EnergyCase& c = GetParam();
  HoldInterval(c.interval);
  ShowOnly(c.volts, c.ampsShown, c.watts, c.rpm, c.speed);
  // The W value plays no part.
  Load(3, [&](int) { return Reading{.volts = 12, .amps = c.amps, .watts = 999}; });
  Draw();
  EXPECT_NEAR(drawn->energyWh, c.energy, 1e-9);
  EXPECT_EQ(Caption(SummaryLabel::watts), c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ChartEnergyTest,
    ::testing::Values(EnergyCase{"60", 10, true, true, true, false, false, 4, "4 Wh"},
                      EnergyCase{"60", -10, true, true, true, false, false, -4, "-4 Wh"},
                      EnergyCase{"60", 10, false, false, false, false, false, 4, "4 Wh"},
                      EnergyCase{"60", 10, true, true, true, true, true, 4, "4 Wh"},
                      // The limit runs first: 5 s counts as 10 s, 500 s as 120 s.
                      EnergyCase{"5", 10, true, true, true, false, false, 4.0 / 6, "1 Wh"},
                      EnergyCase{"500", 10, true, true, true, false, false, 8, "8 Wh"}));

TEST_F(SummaryLabelsChartTest, EnergyRoundsToWholeWattHours) {
  s.logInterval = 10;
  // 12 V * 1.5 A * 10 s / 3600 = 0.05 Wh per record after the first.
  Load(11, [](int) { return Reading{.volts = 12, .amps = 1.5}; });
  Draw();
  EXPECT_NEAR(drawn->energyWh, 0.5, 1e-12);
  EXPECT_EQ(Caption(SummaryLabel::watts), "0 Wh");
}

// A reader that takes the records one by one, as a report of whole days would, finds the
// very numbers a draw of the whole view reports: the start values, Track for each record,
// EnergyShare for each but the first.
TEST_F(SummaryLabelsChartTest, ReadingByReadingGivesTheDrawsNumbers) {
  constexpr int n = 500;
  s.logInterval = 60;
  Load(n, [](int k) {
    return Reading{.volts = 12 + std::sin(k * 0.7) * 3,
                   .amps = std::cos(k * 1.3) * 20,
                   .watts = k % 7 * 100.0 - 250,
                   .rpm = k * 3.5,
                   .speed = std::fmod(k * 0.37, 9),
                   .time = (6 * 3600 + k * 10) / 86400.0};
  });
  for (const std::int16_t ref : {0, 1}) {
    s.refVoltsToZero = ref;
    Draw();
    Summary read = Summary::Start(ref);
    for (int k = 1; k <= n; ++k) {
      read.Track(s.voltsSeries[k], s.ampsSeries[k], s.wattsSeries[k], s.rpmSeries[k],
                 s.speedSeries[k]);
      if (k > 1) read.energyWh += EnergyShare(s.voltsSeries[k], s.ampsSeries[k], s.logInterval);
    }
    read.firstTime = s.timeSeries[1];
    read.lastTime = s.timeSeries[n];
    EXPECT_EQ(read.energyWh, drawn->energyWh) << ref;
    for (int i = 0; i < kSummaryLabels; ++i) {
      const auto label = static_cast<SummaryLabel>(i);
      EXPECT_EQ(SummaryNumber(read, label, {}), SummaryNumber(*drawn, label, {}))
          << ref << " " << i;
    }
  }
}

// RunningSummary takes the readings of a day one by one and gives the labels' numbers of
// the draw that shows all of them, for every switch and interval; before the first reading
// it gives nothing, and for one reading (which the window does not draw) the start values
// met by it and no energy.
struct RunningCase {
  int readings;
  std::int16_t refVoltsToZero;
  std::int16_t logInterval;
};

class RunningSummaryTest : public ChartTest, public ::testing::WithParamInterface<RunningCase> {};

TEST_P(RunningSummaryTest, GivesTheDrawsNumbers) {
  const RunningCase& c = GetParam();
  s.refVoltsToZero = c.refVoltsToZero;
  s.logInterval = c.logInterval;
  const auto reading = [](int k) {
    return Reading{.volts = 11.5 + std::cos(k * 0.3),
                   .amps = std::sin(k * 0.9) * 15 - 2,
                   .watts = k % 5 * 80.0 - 120,
                   .rpm = k * 4.5,
                   .speed = std::fmod(k * 0.61, 13),
                   .time = (7 * 3600 + k * 17) / 86400.0};
  };
  Load(c.readings, reading);
  RunningSummary running(c.refVoltsToZero, c.logInterval);
  EXPECT_FALSE(running.Result());
  for (int k = 1; k <= c.readings; ++k) {
    const Reading r = reading(k);
    running.Add(r.time, r.volts, r.amps, r.watts, r.rpm, r.speed);
  }
  EXPECT_EQ(running.Count(), c.readings);
  const std::optional<Summary> read = running.Result();
  ASSERT_TRUE(read);
  Draw();
  if (c.readings == 1) {
    EXPECT_FALSE(drawn);
    Summary alone = Summary::Start(c.refVoltsToZero);
    alone.Track(s.voltsSeries[1], s.ampsSeries[1], s.wattsSeries[1], s.rpmSeries[1],
                s.speedSeries[1]);
    alone.firstTime = alone.lastTime = s.timeSeries[1];
    drawn = alone;
  }
  ASSERT_TRUE(drawn);
  EXPECT_EQ(read->energyWh, drawn->energyWh);
  for (int i = 0; i < kSummaryLabels; ++i) {
    const auto label = static_cast<SummaryLabel>(i);
    EXPECT_EQ(SummaryNumber(*read, label, {}), SummaryNumber(*drawn, label, {})) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Views, RunningSummaryTest,
                         ::testing::Values(RunningCase{1, 0, 10}, RunningCase{2, 0, 10},
                                           RunningCase{2, 1, 120}, RunningCase{777, 0, 60},
                                           RunningCase{9999, 1, 10}, RunningCase{9999, 0, 37}));

}  // namespace
}  // namespace tallyo::test
