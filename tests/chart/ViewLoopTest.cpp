#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "chart/ViewLoop.h"
#include "platform/Rounding.h"

namespace tallyo {
namespace {

bool SameDouble(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// The shortcut for whole loop values must name the very index the general rounding does.
TEST(ViewLoopTest, LoopIndexRoundsAsRoundHalfEven) {
  const double kInf = std::numeric_limits<double>::infinity();
  const double values[] = {0.0,
                           -0.0,
                           1,
                           9999,
                           10000,
                           10001,
                           -1,
                           0.5,
                           1.5,
                           2.5,
                           -0.5,
                           -1.5,
                           20.25,
                           20.75,
                           -0.25,
                           2147483647,
                           2147483648,
                           -2147483648,
                           -2147483649,
                           2147483647.5,
                           4.5e15,
                           4503599627370497.0,
                           1e300,
                           -1e300,
                           kInf,
                           -kInf,
                           std::numeric_limits<double>::quiet_NaN(),
                           std::nextafter(0.5, 0.0),
                           std::nextafter(0.5, 1.0)};
  for (double v : values) {
    EXPECT_TRUE(SameDouble(LoopIndex(v), RoundHalfEven(v))) << v;
  }
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> anywhere(-30000, 30000);
  for (int k = 0; k < 20000; ++k) {
    const double v = k % 2 ? anywhere(random) : std::round(anywhere(random) * 4) / 4;
    ASSERT_TRUE(SameDouble(LoopIndex(v), RoundHalfEven(v))) << v;
  }
}

// The one index check of the draw, the extremes, the time labels and the readout.
TEST(ViewLoopTest, InSeriesHoldsExactlyTheSeriesIndices) {
  const struct {
    double index;
    bool inSeries;
  } cases[] = {{0, true},      {1, true},       {10000, true},
               {-1, false},    {10001, false},  {-0.0, true},
               {1e300, false}, {-1e300, false}, {std::numeric_limits<double>::quiet_NaN(), false}};
  for (const auto& c : cases) EXPECT_EQ(InSeries(c.index), c.inSeries) << c.index;
}

}  // namespace
}  // namespace tallyo
