#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/PlotBatch.h"

namespace tallyo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Colour kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBand = Rgb(128, 128, 255);

// What a batch hands over, in order: "L<colour>:<points>", "C<colour>" and "F<colour>".
struct Recorder {
  std::vector<std::string> calls;
  std::vector<std::vector<PlotPoint>> chains;
  std::vector<PixelRect> rects;
  void Polyline(Colour c, const PlotPoint* p, std::size_t n) {
    calls.push_back("L" + std::to_string(c) + ":" + std::to_string(n));
    chains.emplace_back(p, p + n);
  }
  // Single lines come gathered per colour; each is recorded as a chain of two points.
  void Lines(Colour c, const PlotPoint* p, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) Polyline(c, p + 2 * k, 2);
  }
  void Column(Colour c, int, int, int) { calls.push_back("C" + std::to_string(c)); }
  void Fill(Colour c, PixelRect r) {
    calls.push_back("F" + std::to_string(c));
    rects.push_back(r);
  }
};

// ---- clipping ----

TEST(PlotBatchTest, ClipKeepsInsideSegmentsAsTheyAre) {
  const ClipRect r{-4, -4, 753, 353};
  PlotPoint a{0, 0}, b{749, 349};
  ASSERT_TRUE(ClipSegment(a, b, r));
  EXPECT_EQ(a, (PlotPoint{0, 0}));
  EXPECT_EQ(b, (PlotPoint{749, 349}));
}

TEST(PlotBatchTest, ClipDropsWhatIsOutsideOrNotFinite) {
  const ClipRect r{-4, -4, 753, 353};
  const PlotPoint cases[][2] = {
      {{-100, 10}, {-5, 300}},    // left of the picture
      {{800, 10}, {1e30, 300}},   // right
      {{10, -1e30}, {700, -5}},   // above
      {{-100, 300}, {100, 500}},  // passes below the bottom-left corner
      {{kNaN, 10}, {100, 10}},    // not a number
      {{10, 10}, {100, kInf}},    // infinite
      {{-kInf, 10}, {kInf, 10}},  // infinite both ways
  };
  for (const auto& c : cases) {
    PlotPoint a = c[0], b = c[1];
    EXPECT_FALSE(ClipSegment(a, b, r)) << c[0].x << "," << c[0].y << " " << c[1].x << "," << c[1].y;
  }
}

// A segment with a far end is cut on the margin and keeps its slope where it is seen.
TEST(PlotBatchTest, ClipKeepsTheVisibleSlope) {
  const ClipRect r{-4, -4, 753, 353};
  struct Case {
    PlotPoint a, b;
  };
  const Case cases[] = {
      {{100, 100}, {1e30, 2e29}},       // slope 0.2 to the far right
      {{-1e25, -1e25}, {300, 300}},     // diagonal from far up-left
      {{374.5, 1e20}, {375.5, -1e20}},  // nearly vertical through the middle
      {{-1e300, 50}, {1e300, 50}},      // level, both ends far away
      {{200, 100}, {200.5, 3e38}},      // steep, from inside
  };
  for (const Case& c : cases) {
    PlotPoint a = c.a, b = c.b;
    ASSERT_TRUE(ClipSegment(a, b, r));
    for (const PlotPoint& p : {a, b}) {
      EXPECT_GE(p.x, r.left - 1e-9);
      EXPECT_LE(p.x, r.right + 1e-9);
      EXPECT_GE(p.y, r.top - 1e-9);
      EXPECT_LE(p.y, r.bottom + 1e-9);
    }
    // Both cut ends lie on the original line: compare cross products, scaled.
    const long double dx = (long double)c.b.x - c.a.x, dy = (long double)c.b.y - c.a.y;
    for (const PlotPoint& p : {a, b}) {
      const long double cross = dx * ((long double)p.y - c.a.y) - dy * ((long double)p.x - c.a.x);
      EXPECT_NEAR(static_cast<double>(cross / std::hypot((double)dx, (double)dy)), 0, 1e-6)
          << p.x << "," << p.y;
    }
  }
  // The level line through far ends is cut to the margin exactly.
  PlotPoint a{-1e300, 50}, b{1e300, 50};
  ASSERT_TRUE(ClipSegment(a, b, r));
  EXPECT_EQ(a, (PlotPoint{-4, 50}));
  EXPECT_EQ(b, (PlotPoint{753, 50}));
}

// ---- the batch ----

TEST(PlotBatchTest, JoinedSegmentsOfOneColourBecomeOneChainPerColour) {
  PlotBatch batch;
  batch.SetPictureSize(749, 349);
  // Two colours interleaved, record by record, as the chart draws them.
  for (int i = 0; i < 10; ++i) {
    batch.AddLine({i * 50.0, 10.0 + i}, {(i + 1) * 50.0, 11.0 + i}, kRed);
    batch.AddLine({i * 50.0, 200.0 - i}, {(i + 1) * 50.0, 199.0 - i}, kGreen);
  }
  // A red segment that does not start where the last one ended opens a new chain.
  batch.AddLine({0, 300}, {10, 300}, kRed);
  Recorder rec;
  batch.Render(rec);
  const std::vector<std::string> want = {"L" + std::to_string(kRed) + ":11",
                                         "L" + std::to_string(kRed) + ":2",
                                         "L" + std::to_string(kGreen) + ":11"};
  EXPECT_EQ(rec.calls, want);
  EXPECT_EQ(rec.chains[0].front(), (PlotPoint{0, 10}));
  EXPECT_EQ(rec.chains[0].back(), (PlotPoint{500, 20}));
  EXPECT_TRUE(batch.Empty());
}

// Lines before the first box lie under the boxes, lines after it over them.
TEST(PlotBatchTest, StacksEarlyLinesThenBoxesThenCurves) {
  PlotBatch batch;
  batch.SetPictureSize(749, 349);
  const Colour zero = Rgb(0, 255, 255);
  batch.AddLine({0, 100}, {749, 100}, zero);
  batch.AddLine({0, 50}, {10, 60}, kRed);
  batch.AddBox({0, 0}, {10, 20}, kBand);
  batch.AddLine({10, 60}, {20, 70}, kRed);
  batch.AddLine({0, 150}, {749, 150}, zero);
  batch.AddBox({20, 0}, {30, 20}, kBand);
  Recorder rec;
  batch.Render(rec);
  const auto s = [](Colour c) { return std::to_string(c); };
  const std::vector<std::string> want = {"L" + s(zero) + ":2", "L" + s(kRed) + ":2",
                                         "F" + s(kBand),       "F" + s(kBand),
                                         "L" + s(kRed) + ":2", "L" + s(zero) + ":2"};
  EXPECT_EQ(rec.calls, want);
}

TEST(PlotBatchTest, BoxesCoverTheirCornerPixelsAndMergeWhenTheyTouch) {
  struct Case {
    const char* name;
    std::vector<std::array<double, 4>> boxes;  // corners x1, y1, x2, y2
    std::vector<std::array<int, 4>> rects;     // left, top, right, bottom
  };
  const Case cases[] = {
      {"corners in any order", {{{30.7, 20.2, 10.1, 5.9}}}, {{{10, 5, 30, 20}}}},
      {"thinner than a pixel still shows", {{{5.2, 3.1, 5.4, 3.3}}}, {{{5, 3, 5, 3}}}},
      {"adjacent records merge",
       {{{0, 0, 0.3, 10}}, {{0.3, 0, 0.6, 10}}, {{0.6, 0, 2.9, 10.5}}},
       {{{0, 0, 2, 10}}}},
      {"next pixel merges", {{{0, 0, 3.9, 10}}, {{4.0, 0, 6, 10}}}, {{{0, 0, 6, 10}}}},
      {"a gap keeps them apart",
       {{{0, 0, 3.9, 10}}, {{5.0, 0, 6, 10}}},
       {{{0, 0, 3, 10}}, {{5, 0, 6, 10}}}},
      {"other rows keep them apart",
       {{{0, 0, 3, 10}}, {{3, 0, 6, 12}}},
       {{{0, 0, 3, 10}}, {{3, 0, 6, 12}}}},
      {"cut to the picture", {{{-1e30, -5, 1e30, 1e9}}}, {{{0, 0, 748, 348}}}},
      {"outside is dropped", {{{-20, 5, -0.5, 9}}, {{749, 5, 800, 9}}, {{5, 349, 9, 400}}}, {}},
      {"not finite is dropped", {{{kNaN, 0, 5, 5}}, {{0, 0, kInf, 5}}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlotBatch batch;
    batch.SetPictureSize(749, 349);
    for (const auto& b : c.boxes) batch.AddBox({b[0], b[1]}, {b[2], b[3]}, kBand);
    Recorder rec;
    batch.Render(rec);
    ASSERT_EQ(rec.rects.size(), c.rects.size());
    for (std::size_t k = 0; k < c.rects.size(); ++k) {
      EXPECT_EQ(rec.rects[k].left, c.rects[k][0]);
      EXPECT_EQ(rec.rects[k].top, c.rects[k][1]);
      EXPECT_EQ(rec.rects[k].right, c.rects[k][2]);
      EXPECT_EQ(rec.rects[k].bottom, c.rects[k][3]);
    }
  }
}

TEST(PlotBatchTest, BoxesOfAnotherColourDoNotMerge) {
  PlotBatch batch;
  batch.SetPictureSize(749, 349);
  batch.AddBox({0, 0}, {3, 10}, kBand);
  batch.AddBox({3, 0}, {6, 10}, kRed);
  batch.AddBox({6, 0}, {9, 10}, kBand);
  Recorder rec;
  batch.Render(rec);
  EXPECT_EQ(rec.rects.size(), 3u);
}

TEST(PlotBatchTest, UnusableSegmentsBreakTheChainAndAreDropped) {
  PlotBatch batch;
  batch.SetPictureSize(749, 349);
  batch.AddLine({0, 10}, {10, 10}, kRed);
  batch.AddLine({10, 10}, {kNaN, 10}, kRed);
  batch.AddLine({kNaN, 10}, {30, 10}, kRed);
  batch.AddLine({30, 10}, {40, 10}, kRed);
  // Far to the right: cut, so the next one cannot join it.
  batch.AddLine({40, 10}, {1e30, 10}, kRed);
  batch.AddLine({1e30, 10}, {50, 20}, kRed);
  Recorder rec;
  batch.Render(rec);
  // The longer chain first; the single lines follow, gathered.
  ASSERT_EQ(rec.chains.size(), 3u);
  EXPECT_EQ(rec.chains[0], (std::vector<PlotPoint>{{30, 10}, {40, 10}, {753, 10}}));
  EXPECT_EQ(rec.chains[1], (std::vector<PlotPoint>{{0, 10}, {10, 10}}));
  ASSERT_EQ(rec.chains[2].size(), 2u);
  EXPECT_EQ(rec.chains[2][0].x, 753);
  EXPECT_EQ(rec.chains[2][1], (PlotPoint{50, 20}));
}

TEST(PlotBatchTest, ResetDropsEverythingAndTheNextBatchStartsUnderTheBoxesAgain) {
  PlotBatch batch;
  batch.SetPictureSize(749, 349);
  batch.AddBox({0, 0}, {3, 10}, kBand);
  batch.AddLine({0, 5}, {3, 5}, kRed);
  EXPECT_EQ(batch.Pending(), 2u);
  batch.Reset();
  EXPECT_TRUE(batch.Empty());
  batch.AddLine({0, 5}, {3, 5}, kGreen);
  batch.AddBox({0, 0}, {3, 10}, kBand);
  Recorder rec;
  batch.Render(rec);
  const std::vector<std::string> want = {"L" + std::to_string(kGreen) + ":2",
                                         "F" + std::to_string(kBand)};
  EXPECT_EQ(rec.calls, want);
}

}  // namespace
}  // namespace tallyo
