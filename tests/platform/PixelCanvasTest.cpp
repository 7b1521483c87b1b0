// The Windows edition's chart pixels: what each line, column and box of a drawing batch
// lights in the bitmap.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "platform/PixelCanvas.h"
#include "platform/PlotBatch.h"

namespace tallyo {
namespace {

constexpr int kWidth = 16, kHeight = 12;
constexpr Colour kRed = Rgb(255, 0, 0);

struct Picture {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(kWidth * kHeight, 0);
  PixelCanvas canvas{pixels.data(), kWidth, kHeight, kWidth};

  std::set<std::pair<int, int>> Lit() const {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (pixels[y * kWidth + x] != 0) lit.insert({x, y});
    return lit;
  }
};

TEST(PixelCanvasTest, ColoursAreStoredAsTheBitmapWantsThem) {
  EXPECT_EQ(PixelOf(Rgb(0x12, 0x34, 0x56)), 0xFF123456u);
  // Only the low three bytes name a colour (the zero lines come with a high byte).
  EXPECT_EQ(PixelOf(0xFFFFFF00u), 0xFF00FFFFu);
}

struct SegmentCase {
  const char* what;
  PlotPoint a, b;
  std::set<std::pair<int, int>> lit;
};

TEST(PixelCanvasTest, SegmentLightsItsEndPixelsAndOnePerColumnOrRow) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::set<std::pair<int, int>> wholeRow1;
  for (int x = 0; x < kWidth; ++x) wholeRow1.insert({x, 1});
  const SegmentCase cases[] = {
      {"one point", {3.5, 4.9}, {3.5, 4.9}, {{3, 4}}},
      {"within one pixel", {3.1, 4.1}, {3.9, 4.8}, {{3, 4}}},
      {"flat", {1.5, 2.5}, {4.2, 2.5}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
      {"flat, drawn leftwards", {4.2, 2.5}, {1.5, 2.5}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
      {"upright", {7.5, 1.2}, {7.5, 4}, {{7, 1}, {7, 2}, {7, 3}, {7, 4}}},
      {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {"steep", {2, 0}, {3, 5}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 5}}},
      {"past the edges", {-3, 1}, {kWidth + 3, 1}, wholeRow1},
      {"not a number", {kNaN, 1}, {4, 1}, {}},
  };
  for (const SegmentCase& c : cases) {
    Picture p;
    p.canvas.Lines(kRed, std::vector<PlotPoint>{c.a, c.b}.data(), 1);
    EXPECT_EQ(p.Lit(), c.lit) << c.what;
  }
}

TEST(PixelCanvasTest, ColumnAndFillStayInsideThePicture) {
  Picture p;
  p.canvas.Column(kRed, 5, 2, 4);
  EXPECT_EQ(p.Lit(), (std::set<std::pair<int, int>>{{5, 2}, {5, 3}, {5, 4}}));
  Picture q;
  q.canvas.Fill(kRed, {kWidth - 2, -5, kWidth + 5, 0});
  EXPECT_EQ(q.Lit(), (std::set<std::pair<int, int>>{{kWidth - 2, 0}, {kWidth - 1, 0}}));
}

// Every recorded point of a chain lies on a lit pixel after the batch's thinning and its
// filled columns, so no spike of a dense curve is lost on the way into the bitmap.
TEST(PixelCanvasTest, DenseCurveThroughTheBatchKeepsEveryPointsPixel) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> y(0, kHeight - 0.01);
  std::vector<PlotPoint> points;
  for (int k = 0; k < 400; ++k) points.push_back({k * (kWidth - 0.01) / 399, y(random)});
  PlotBatch batch;
  batch.SetPictureSize(kWidth, kHeight);
  for (std::size_t k = 1; k < points.size(); ++k) batch.AddLine(points[k - 1], points[k], kRed);
  Picture p;
  batch.Render(p.canvas);
  const auto lit = p.Lit();
  for (const PlotPoint& point : points) {
    const std::pair<int, int> pixel{static_cast<int>(std::floor(point.x)),
                                    static_cast<int>(std::floor(point.y))};
    EXPECT_TRUE(lit.count(pixel)) << point.x << "," << point.y;
  }
}

}  // namespace
}  // namespace tallyo
