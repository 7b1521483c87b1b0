#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/PlotBatch.h"

namespace tallyo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Colour kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0), kBand = Rgb(128, 128, 255);

// What a batch hands over, in order: "L<colour>:<points>" and "F<colour>:<rect>".
struct Recorder {
  std::vector<std::string> calls;
  std::vector<std::vector<PlotPoint>> chains;
  std::vector<PixelRect> rects;
  void Polyline(Colour c, const PlotPoint* p, std::size_t n) {
    calls.push_back("L" + std::to_string(c) + ":" + std::to_string(n));
    chains.emplace_back(p, p + n);
  }
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

// ---- thinning ----

TEST(PlotBatchTest, ReduceLeavesSparseColumnsAlone) {
  std::vector<PlotPoint> p = {{0.1, 5}, {0.5, 9}, {0.9, 1}, {0.95, 4}, {1.2, 3}, {2.7, 8}};
  const auto copy = p;
  EXPECT_EQ(ReduceColumns(p.data(), p.size()), copy.size());
  EXPECT_EQ(p, copy);
}

TEST(PlotBatchTest, ReduceKeepsFirstExtremesAndLastOfACrowdedColumn) {
  struct Case {
    std::vector<PlotPoint> in, out;
  };
  const Case cases[] = {
      // low before high
      {{{3.0, 5}, {3.1, 2}, {3.2, 4}, {3.3, 9}, {3.4, 6}, {3.5, 7}},
       {{3.0, 5}, {3.1, 2}, {3.3, 9}, {3.5, 7}}},
      // high before low
      {{{3.0, 5}, {3.1, 9}, {3.2, 4}, {3.3, 2}, {3.4, 6}, {3.5, 7}},
       {{3.0, 5}, {3.1, 9}, {3.3, 2}, {3.5, 7}}},
      // first is the lowest, last the highest: two points say it all
      {{{3.0, 1}, {3.1, 5}, {3.2, 4}, {3.3, 2}, {3.4, 6}, {3.5, 7}}, {{3.0, 1}, {3.5, 7}}},
      // a one-sample spike in a flat run survives
      {{{7.0, 4}, {7.1, 4}, {7.2, 4}, {7.3, 40}, {7.4, 4}, {7.5, 4}, {7.6, 4}},
       {{7.0, 4}, {7.3, 40}, {7.6, 4}}},
      // two crowded columns side by side, then a sparse one
      {{{0.0, 1},
        {0.2, 3},
        {0.4, 0},
        {0.6, 2},
        {0.8, 1},
        {1.0, 5},
        {1.2, 6},
        {1.4, 9},
        {1.6, 4},
        {1.8, 5},
        {2.5, 0}},
       {{0.0, 1}, {0.2, 3}, {0.4, 0}, {0.8, 1}, {1.0, 5}, {1.4, 9}, {1.6, 4}, {1.8, 5}, {2.5, 0}}},
  };
  for (const Case& c : cases) {
    std::vector<PlotPoint> p = c.in;
    p.resize(ReduceColumns(p.data(), p.size()));
    EXPECT_EQ(p, c.out);
  }
}

// On long random chains every column keeps its first and last point and its lowest and
// highest value, with at most four points.
TEST(PlotBatchTest, ReduceKeepsEveryColumnsReachOnRandomChains) {
  std::uint64_t seed = 7;
  auto next = [&seed] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(seed >> 11) / 9007199254740992.0;
  };
  for (int round = 0; round < 20; ++round) {
    std::vector<PlotPoint> p;
    const int n = 100 + round * 500;
    double y = 100;
    for (int i = 0; i < n; ++i) {
      y += (next() - 0.5) * (round % 3 == 0 ? 2 : 30);
      p.push_back({i * 749.0 / n + (round % 2) * 0.3 * next(), y});
    }
    const auto full = p;
    p.resize(ReduceColumns(p.data(), p.size()));
    // Walk the column runs of both chains side by side.
    std::size_t i = 0, j = 0;
    while (i < full.size()) {
      const double col = std::floor(full[i].x);
      std::size_t ie = i, je = j;
      double lo = full[i].y, hi = full[i].y;
      while (ie < full.size() && std::floor(full[ie].x) == col) {
        lo = std::min(lo, full[ie].y);
        hi = std::max(hi, full[ie].y);
        ++ie;
      }
      while (je < p.size() && std::floor(p[je].x) == col) ++je;
      ASSERT_GT(je, j);
      ASSERT_LE(je - j, 4u);
      EXPECT_EQ(p[j], full[i]);
      EXPECT_EQ(p[je - 1], full[ie - 1]);
      double rlo = p[j].y, rhi = p[j].y;
      for (std::size_t k = j; k < je; ++k) {
        rlo = std::min(rlo, p[k].y);
        rhi = std::max(rhi, p[k].y);
      }
      EXPECT_EQ(rlo, lo);
      EXPECT_EQ(rhi, hi);
      i = ie;
      j = je;
    }
    EXPECT_EQ(j, p.size());
  }
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
  ASSERT_EQ(rec.chains.size(), 3u);
  EXPECT_EQ(rec.chains[0], (std::vector<PlotPoint>{{0, 10}, {10, 10}}));
  EXPECT_EQ(rec.chains[1], (std::vector<PlotPoint>{{30, 10}, {40, 10}, {753, 10}}));
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
