// A draw in the user's notation: the labels take its decimal mark and minus sign, the
// Interval box is read in it, and the times are the same in every notation.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/ChartFixture.h"
#include "support/Notations.h"

namespace tallyo::test {
namespace {

struct LabelCase {
  const char* name;
  NumberFormat format;
  std::vector<std::string> captions;  // stime .. watts
};

class NotationChartTest : public ChartTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(NotationChartTest, LabelsInTheNotation) {
  const LabelCase& c = GetParam();
  s.numberFormat = c.format;
  s.refVoltsToZero = 0;
  s.logInterval = 60;
  Load(3, [](int k) {
    const double volts[] = {0, 13, 12.5, 12.25};
    const double amps[] = {0, -0.504, -10, -12.34};
    const double watts[] = {0, 234.4, -2000.2, 10};
    const double rpm[] = {0, 1500, 1200, 1100};
    const double speed[] = {0, 7.8, 3.2, 0.4};
    return Reading{.volts = volts[k],
                   .amps = amps[k],
                   .watts = watts[k],
                   .rpm = rpm[k],
                   .speed = speed[k],
                   .time = (18 * 60 + 30 + k) / 1440.0};
  });
  Draw();
  for (int i = 0; i < kSummaryLabels; ++i) {
    EXPECT_EQ(Caption(static_cast<SummaryLabel>(i)), c.captions[i]) << c.name << " label " << i;
  }
}

std::vector<std::string> Captions(const std::string& minus, const std::string& mark) {
  return {"18:31", "18:33", "13" + mark + "00 V", "12" + mark + "25 V", minus + "0" + mark + "5 A",
          minus + "12" + mark + "3 A", "234 W", minus + "2000 W", "1500 RPM", "1000 RPM", "8 ",
          "0 ",
          // (-10 * 12.5 - 12.34 * 12.25) / 3600 * 60 = -4.6...
          minus + "5 Wh"};
}

INSTANTIATE_TEST_SUITE_P(
    Notations, NotationChartTest,
    ::testing::Values(LabelCase{"C", PlainNotation(), Captions("-", ".")},
                      LabelCase{"English", EnglishNotation(), Captions("-", ".")},
                      LabelCase{"German", GermanNotation(), Captions("-", ",")},
                      LabelCase{"French", FrenchNotation(), Captions("-", ",")},
                      LabelCase{"Swedish", SwedishNotation(), Captions(kMinusSign, ",")}));

struct IntervalCase {
  NumberFormat format;
  std::string text;   // what the box holds before the draw
  std::string shown;  // what it holds after
  std::int16_t interval;
};

class NotationIntervalTest : public ChartTest,
                             public ::testing::WithParamInterface<IntervalCase> {};

// The limit reads the box as the box's own change handling does.
TEST_P(NotationIntervalTest, LimitReadsTheNotation) {
  const IntervalCase& c = GetParam();
  s.numberFormat = c.format;
  EXPECT_EQ(HoldBox(c.text).shown, c.shown) << c.text;
  EXPECT_EQ(HoldBox(c.text).interval, c.interval) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, NotationIntervalTest,
                         ::testing::Values(IntervalCase{GermanNotation(), "12,5", "12,5", 12},
                                           IntervalCase{GermanNotation(), "9,5", "9,5", 10},
                                           IntervalCase{GermanNotation(), "1.234,5", "120", 120},
                                           IntervalCase{GermanNotation(), "0.060", "0.060", 60},
                                           IntervalCase{GermanNotation(), "12.5", "12.5",
                                                        33},  // not a number here
                                           IntervalCase{FrenchNotation(), "60,4", "60,4", 60},
                                           IntervalCase{FrenchNotation(),
                                                        "1\xE2\x80\xAF"
                                                        "000",
                                                        "120", 120},
                                           IntervalCase{FrenchWideNotation(),
                                                        "1\xC2\xA0"
                                                        "000",
                                                        "120", 120},
                                           IntervalCase{FrenchNotation(), "1 000", "120", 120},
                                           IntervalCase{EnglishNotation(), "1,000", "120", 120},
                                           IntervalCase{EnglishNotation(), "0,005", "10", 10},
                                           IntervalCase{EnglishNotation(), "12.5", "12.5", 12},
                                           IntervalCase{PlainNotation(), "1,000", "1,000", 33}));

}  // namespace
}  // namespace tallyo::test
