#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ScaleMap.h"

namespace tallyo {
namespace {

TEST(ScaleMapTest, StartsInPointsAndFollowsTheSizeUntilAUserScaleIsSet) {
  ScaleMap map;
  map.SetPixelSize(749, 349, 1);
  EXPECT_DOUBLE_EQ(map.ScaleWidth(), 561.75);
  EXPECT_DOUBLE_EQ(map.ScaleHeight(), 261.75);
  // 96 pixels are one inch, 72 points.
  EXPECT_DOUBLE_EQ(map.ToUserX(96), 72);
  EXPECT_DOUBLE_EQ(map.ToPixelY(72), 96);

  map.SetPixelSize(800, 400, 2);
  EXPECT_DOUBLE_EQ(map.ScaleWidth(), 600);
  EXPECT_DOUBLE_EQ(map.ScaleHeight(), 300);

  // Width and height are user values from the moment each is set, whatever the size.
  map.SetScaleWidth(100);
  map.SetPixelSize(749, 349, 1);
  EXPECT_DOUBLE_EQ(map.ScaleWidth(), 100);
  EXPECT_DOUBLE_EQ(map.ScaleHeight(), 261.75);
  map.SetScaleHeight(2);
  map.SetPixelSize(500, 200, 1);
  EXPECT_DOUBLE_EQ(map.ScaleHeight(), 2);
  EXPECT_DOUBLE_EQ(map.ToPixelX(100), 500);
  EXPECT_DOUBLE_EQ(map.ToPixelY(1), 100);
}

TEST(ScaleMapTest, RefusesScalesThatWouldMapToInfinityOrNowhere) {
  const double kInf = std::numeric_limits<double>::infinity();
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  for (double bad : {0.0, -0.0, kInf, -kInf, kNaN}) {
    SCOPED_TRACE(bad);
    ScaleMap map;
    map.SetPixelSize(749, 349, 1);
    map.SetScaleWidth(10);
    map.SetScaleHeight(5);
    map.SetScaleWidth(bad);
    map.SetScaleHeight(bad);
    EXPECT_EQ(map.ScaleWidth(), 10);
    EXPECT_EQ(map.ScaleHeight(), 5);
    EXPECT_DOUBLE_EQ(map.ToPixelX(10), 749);
    EXPECT_TRUE(std::isfinite(map.ToUserX(300)));
  }
}

TEST(ScaleMapTest, NegativeScaleMirrorsAndTinyScaleStaysFinite) {
  ScaleMap map;
  map.SetPixelSize(749, 349, 1);
  map.SetScaleWidth(-10);
  ASSERT_EQ(map.ScaleWidth(), -10);
  EXPECT_DOUBLE_EQ(map.ToPixelX(-10), 749);
  EXPECT_DOUBLE_EQ(map.ToUserX(749), -10);
  map.SetScaleHeight(1e-38f);
  ASSERT_EQ(map.ScaleHeight(), 1e-38f);
  EXPECT_TRUE(std::isfinite(map.ToDeviceY(3.4e38f)));
}

TEST(ScaleMapTest, BoxWithoutSizeMapsEverythingToZero) {
  ScaleMap map;
  map.SetPixelSize(0, 0, 1);
  EXPECT_EQ(map.ScaleWidth(), 0);
  EXPECT_EQ(map.ToPixelX(5), 0);
  EXPECT_EQ(map.ToUserX(5), 0);
  map.SetScaleWidth(100);
  EXPECT_EQ(map.ToDeviceX(50), 0);
  EXPECT_EQ(map.ToUserX(5), 0);
}

// The pointer at pixel p and a point drawn at the user x reported for it must land in the
// same pixel: the mouse and the drawing read one map.
TEST(ScaleMapTest, PointerAndDrawingAgreeOnThePixel) {
  struct Case {
    int width, height;
    double dpr, scaleWidth, scaleHeight;
  };
  const Case cases[] = {{749, 349, 1, 9998, 21},  {749, 349, 2, 40.5, 13.65},
                        {749, 349, 1.5, 1, 2},    {749, 349, 1, 561.75, 261.75},
                        {100, 50, 1.25, 3, 0.01}, {749, 349, 2, 1e-3, 1e6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scaleWidth);
    ScaleMap map;
    map.SetPixelSize(c.width, c.height, c.dpr);
    map.SetScaleWidth(c.scaleWidth);
    map.SetScaleHeight(c.scaleHeight);
    for (int p = 0; p < c.width; ++p) {
      // The pointer reports the pixel's centre's user x as a 32-bit float, as the box does.
      const float x = static_cast<float>(map.ToUserX(p + 0.5));
      ASSERT_EQ(std::floor(map.ToPixelX(x)), p);
      ASSERT_NEAR(map.ToDeviceX(x), (p + 0.5) * c.dpr, 1e-3 * c.dpr);
    }
    for (int p = 0; p < c.height; ++p) {
      const float y = static_cast<float>(map.ToUserY(p + 0.5));
      ASSERT_EQ(std::floor(map.ToPixelY(y)), p);
    }
  }
}

}  // namespace
}  // namespace tallyo
