#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/NumberText.h"

namespace tallyo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct PatternCase {
  double value;
  NumberPattern pattern;
  const char* text;
};

class NumberTextPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(NumberTextPatternTest, Formats) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(FormatPattern(c.value, c.pattern), c.text) << c.value;
}

using enum NumberPattern;
INSTANTIATE_TEST_SUITE_P(
    Labels, NumberTextPatternTest,
    ::testing::Values(
        // "#0.00"
        PatternCase{13.456, kTwoDecimals, "13.46"}, PatternCase{0.5, kTwoDecimals, "0.50"},
        PatternCase{100, kTwoDecimals, "100.00"}, PatternCase{-2.5, kTwoDecimals, "-2.50"},
        PatternCase{0, kTwoDecimals, "0.00"}, PatternCase{12345.678, kTwoDecimals, "12345.68"},
        // "##0.0"
        PatternCase{5, kOneDecimal, "5.0"}, PatternCase{234.56, kOneDecimal, "234.6"},
        PatternCase{-12.34, kOneDecimal, "-12.3"}, PatternCase{-500, kOneDecimal, "-500.0"},
        PatternCase{0.04, kOneDecimal, "0.0"},
        // "###0" and "##0"
        PatternCase{234.4, kWhole, "234"}, PatternCase{0.3, kWhole, "0"},
        PatternCase{-2000, kWhole, "-2000"}, PatternCase{1500, kWhole, "1500"},
        PatternCase{1234567, kWhole, "1234567"}, PatternCase{1000.6, kWhole, "1001"}));

// A value that shows as zero shows no minus sign.
INSTANTIATE_TEST_SUITE_P(NoNegativeZero, NumberTextPatternTest,
                         ::testing::Values(PatternCase{-0.0, kTwoDecimals, "0.00"},
                                           PatternCase{-0.004, kTwoDecimals, "0.00"},
                                           PatternCase{-0.04, kOneDecimal, "0.0"},
                                           PatternCase{-0.4, kWhole, "0"},
                                           PatternCase{-0.5, kWhole, "0"},
                                           PatternCase{-0.0, kWhole, "0"},
                                           PatternCase{-0.006, kTwoDecimals, "-0.01"}));

// Exact halves of the binary value go to the even digit; values that only look like
// halves in decimal go where their binary value lies (2.675 is 2.67499999...).
INSTANTIATE_TEST_SUITE_P(
    Halves, NumberTextPatternTest,
    ::testing::Values(PatternCase{0.125, kTwoDecimals, "0.12"},
                      PatternCase{0.375, kTwoDecimals, "0.38"},
                      PatternCase{-0.125, kTwoDecimals, "-0.12"},
                      PatternCase{2.675, kTwoDecimals, "2.67"},
                      PatternCase{0.25, kOneDecimal, "0.2"}, PatternCase{0.75, kOneDecimal, "0.8"},
                      PatternCase{2.5, kWhole, "2"}, PatternCase{3.5, kWhole, "4"},
                      PatternCase{-2.5, kWhole, "-2"}, PatternCase{1.5, kWhole, "2"}));

INSTANTIATE_TEST_SUITE_P(NotFinite, NumberTextPatternTest,
                         ::testing::Values(PatternCase{kNaN, kTwoDecimals, "NaN"},
                                           PatternCase{kInf, kWhole, "Inf"},
                                           PatternCase{-kInf, kOneDecimal, "-Inf"}));

TEST(NumberTextTest, HugeValuesShowAllTheirDigits) {
  const std::string big = FormatPattern(1e20, kTwoDecimals);
  EXPECT_EQ(big, "100000000000000000000.00");
  const std::string max = FormatPattern(std::numeric_limits<double>::max(), kTwoDecimals);
  EXPECT_EQ(max.size(), 309u + 3u);
  EXPECT_EQ(max.substr(0, 6), "179769");
  EXPECT_EQ(FormatPattern(-std::numeric_limits<double>::max(), kWhole).size(), 310u);
}

struct TimeCase {
  double dayFraction;
  const char* text;
};

class NumberTextShortTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(NumberTextShortTimeTest, Formats) {
  EXPECT_EQ(ShortTime(GetParam().dayFraction), GetParam().text) << GetParam().dayFraction;
}

INSTANTIATE_TEST_SUITE_P(
    Times, NumberTextShortTimeTest,
    ::testing::Values(TimeCase{0, "00:00"}, TimeCase{0.25, "06:00"}, TimeCase{0.5, "12:00"},
                      // Seconds are dropped, not rounded into the minutes.
                      TimeCase{(18 * 3600 + 30 * 60 + 59) / 86400.0, "18:30"},
                      TimeCase{(23 * 3600 + 59 * 60 + 59) / 86400.0, "23:59"},
                      // Whole seconds held inexactly still show their own minute.
                      TimeCase{18.5 / 24, "18:30"},
                      TimeCase{(18 * 3600 + 30 * 60) / 86400.0, "18:30"},
                      TimeCase{(7 * 60 + 1) / 1440.0, "07:01"},
                      // A hair below midnight rounds to the whole second 24:00:00, that is 00:00.
                      TimeCase{1 - 1e-12, "00:00"},
                      // Date values: only the time part of the day counts.
                      TimeCase{1.25, "06:00"}, TimeCase{36526.75, "18:00"},
                      TimeCase{-0.25, "06:00"}, TimeCase{-1.5, "12:00"},
                      // Not a time at all.
                      TimeCase{kNaN, "00:00"}, TimeCase{kInf, "00:00"}, TimeCase{-kInf, "00:00"},
                      TimeCase{1e300, "00:00"}));

TEST(NumberTextTest, EveryWholeSecondShowsItsOwnMinute) {
  for (int s = 0; s < 86400; ++s) {
    const int h = s / 3600;
    const int m = s % 3600 / 60;
    char want[6];
    std::snprintf(want, sizeof want, "%02d:%02d", h, m);
    ASSERT_EQ(ShortTime(s / 86400.0), want) << s;
  }
}

struct PlainCase {
  double value;
  const char* text;
};

class NumberTextPlainTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(NumberTextPlainTest, Formats) {
  EXPECT_EQ(PlainNumber(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberTextPlainTest,
                         ::testing::Values(PlainCase{12.5, "12.5"}, PlainCase{13, "13"},
                                           PlainCase{-0.5, "-0.5"}, PlainCase{0, "0"},
                                           PlainCase{-0.0, "0"}, PlainCase{0.1 + 0.2, "0.3"},
                                           PlainCase{1.0 / 3, "0.333333333333333"},
                                           PlainCase{123456789012345, "123456789012345"},
                                           PlainCase{1e15, "1E+15"}, PlainCase{1e308, "1E+308"},
                                           PlainCase{-2.5e20, "-2.5E+20"}, PlainCase{1e-5, "1E-05"},
                                           PlainCase{0.0001, "0.0001"}, PlainCase{1500, "1500"},
                                           PlainCase{kNaN, "NaN"}, PlainCase{kInf, "Inf"},
                                           PlainCase{-kInf, "-Inf"}));

}  // namespace
}  // namespace tallyo
