#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "platform/Rounding.h"

namespace tallyo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(RoundHalfEvenTest, NearestWithHalvesToEven) {
  const struct {
    double in, out;
  } cases[] = {
      {0.0, 0.0},           {0.4, 0.0},
      {0.5, 0.0},           {0.6, 1.0},
      {1.5, 2.0},           {2.5, 2.0},
      {3.5, 4.0},           {12.5, 12.0},
      {13.5, 14.0},         {-0.5, -0.0},
      {-1.5, -2.0},         {-2.5, -2.0},
      {-2.6, -3.0},         {2.4999999999999996, 2.0},
      {1e300, 1e300},       {4503599627370495.5, 4503599627370496.0},
      {-32768.5, -32768.0},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(RoundHalfEvenTest, IgnoresTheFloatingPointRoundingMode) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  const double a = RoundHalfEven(2.5);
  const double b = RoundHalfEven(2.2);
  std::fesetround(saved);
  EXPECT_EQ(a, 2.0);
  EXPECT_EQ(b, 2.0);
}

TEST(RoundHalfEvenTest, NonFiniteUnchanged) {
  EXPECT_EQ(RoundHalfEven(kInf), kInf);
  EXPECT_EQ(RoundHalfEven(-kInf), -kInf);
  EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN)));
}

TEST(RoundTo2HalfEvenTest, TwoDecimals) {
  const struct {
    double in, out;
  } cases[] = {
      {0.125, 0.12},   {0.375, 0.38},
      {-0.504, -0.5},  {13.456, 13.46},
      {0.0, 0.0},      {5.0, 5.0},
      {-1.255, -1.25},  // -125.49999999999999 after the product
      {1e20, 1e20},    {4503599627370497.0, 4503599627370497.0},
      {1e308, 1e308},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundTo2HalfEven(c.in), c.out) << c.in;
  EXPECT_EQ(RoundTo2HalfEven(kInf), kInf);
  EXPECT_TRUE(std::isnan(RoundTo2HalfEven(kNaN)));
}

TEST(ToInt16HalfEvenTest, FitsOrNot) {
  EXPECT_EQ(ToInt16HalfEven(2.5), 2);
  EXPECT_EQ(ToInt16HalfEven(3.5), 4);
  EXPECT_EQ(ToInt16HalfEven(-3.5), -4);
  EXPECT_EQ(ToInt16HalfEven(32767.0), 32767);
  EXPECT_EQ(ToInt16HalfEven(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(ToInt16HalfEven(-32768.0), -32768);
  EXPECT_EQ(ToInt16HalfEven(-32768.5), -32768);  // halves to the even -32768
  EXPECT_EQ(ToInt16HalfEven(-32769.0), std::nullopt);
  EXPECT_EQ(ToInt16HalfEven(40000.0), std::nullopt);
  EXPECT_EQ(ToInt16HalfEven(kNaN), std::nullopt);
  EXPECT_EQ(ToInt16HalfEven(kInf), std::nullopt);
  EXPECT_EQ(ToInt16HalfEven(-kInf), std::nullopt);
}

}  // namespace
}  // namespace tallyo
