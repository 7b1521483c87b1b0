// The batch handed to a sink that fills pixel columns itself: what the picture box gets.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PlotBatch.h"

namespace tallyo {
namespace {

constexpr Colour kRed = Rgb(255, 0, 0), kGreen = Rgb(0, 255, 0);

// Records "P<colour>:<points>", "C<colour>:<x>,<top>-<bottom>" and "J<colour>:<lines>".
struct ColumnRecorder {
  std::vector<std::string> calls;
  std::vector<std::vector<PlotPoint>> chains;  // polylines, and the joins of each J call
  void Polyline(Colour c, const PlotPoint* p, std::size_t n) {
    calls.push_back("P" + std::to_string(c) + ":" + std::to_string(n));
    chains.emplace_back(p, p + n);
  }
  void Column(Colour c, int x, int top, int bottom) {
    calls.push_back("C" + std::to_string(c) + ":" + std::to_string(x) + "," + std::to_string(top) +
                    "-" + std::to_string(bottom));
  }
  void Lines(Colour c, const PlotPoint* p, std::size_t n) {
    calls.push_back("J" + std::to_string(c) + ":" + std::to_string(n));
    chains.emplace_back(p, p + 2 * n);
  }
  void Fill(Colour, PixelRect) { calls.push_back("F"); }
};

std::string Red(const std::string& call) {
  return call.substr(0, 1) + std::to_string(kRed) + ":" + call.substr(1);
}

// A chain through the given points, one line from each to the next.
void Chain(PlotBatch& batch, const std::vector<PlotPoint>& points, Colour colour = kRed) {
  for (std::size_t k = 1; k < points.size(); ++k) batch.AddLine(points[k - 1], points[k], colour);
}

struct Case {
  const char* what;
  std::vector<PlotPoint> points;
  std::vector<std::string> calls;  // without the colour, which is red
  std::vector<std::vector<PlotPoint>> chains;
};

TEST(PlotBatchColumnsTest, ColumnsOfMoreThanFourPointsAreFilledAndJoinedByLines) {
  const Case cases[] = {
      {"few points per column stay one polyline",
       {{0.5, 10}, {0.9, 20}, {1.5, 15}, {2.5, 30}},
       {"P4"},
       {{{0.5, 10}, {0.9, 20}, {1.5, 15}, {2.5, 30}}}},
      {"four points in a column are not thinned",
       {{3.1, 10}, {3.3, 40}, {3.5, 5}, {3.7, 20}, {6.5, 20}},
       {"P5"},
       {{{3.1, 10}, {3.3, 40}, {3.5, 5}, {3.7, 20}, {6.5, 20}}}},
      {"a thinned column between sparse points",
       {{1.5, 50}, {3.1, 10}, {3.3, 40.9}, {3.5, 5.2}, {3.7, 20}, {3.9, 22}, {6.5, 20}},
       // rows from the highest point, 5.2, to the lowest, 40.9; the single lines on either
       // side are drawn together after the columns
       {"C3,5-40", "J2"},
       {{{1.5, 50}, {3.1, 10}, {3.9, 22}, {6.5, 20}}}},
      {"neighbouring thinned columns are joined by lines drawn at the end",
       {{0.1, 1},
        {0.3, 9},
        {0.5, 2},
        {0.7, 8},
        {0.9, 3},
        {1.1, 4},
        {1.3, 12},
        {1.5, 6},
        {1.7, 7},
        {1.9, 5}},
       {"C0,1-9", "C1,4-12", "J1"},
       {{{0.9, 3}, {1.1, 4}}}},
      {"a run that ends in a thinned column",
       {{0.5, 0}, {5.0, 1}, {5.2, 3}, {5.4, 2}, {5.6, 4}, {5.8, 0.5}},
       {"C5,0-4", "J1"},
       {{{0.5, 0}, {5.0, 1}}}},
      {"columns are cut to the picture",
       {{-3.9, -3},
        {-3.7, 50},
        {-3.5, 2},
        {-3.3, 49},
        {-3.1, 4},
        {20.1, -3},
        {20.3, 62},
        {20.5, 2},
        {20.7, 63},
        {20.9, 4}},
       {"C20,0-59", "J1"},
       {{{-3.1, 4}, {20.1, -3}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlotBatch batch;
    batch.SetPictureSize(40, 60);
    Chain(batch, c.points);
    ColumnRecorder rec;
    batch.Render(rec);
    std::vector<std::string> want;
    for (const std::string& call : c.calls) want.push_back(Red(call));
    EXPECT_EQ(rec.calls, want);
    EXPECT_EQ(rec.chains, c.chains);
    EXPECT_TRUE(batch.Empty());
  }
}

TEST(PlotBatchColumnsTest, JoinsAreDrawnPerColourAndNextDrawStartsWithoutThem) {
  PlotBatch batch;
  batch.SetPictureSize(40, 60);
  // Two colours, each with two thinned columns, interleaved as the chart draws them.
  const std::vector<PlotPoint> top = {{0.1, 1}, {0.3, 9},  {0.5, 2}, {0.7, 8}, {0.9, 3},
                                      {1.1, 4}, {1.3, 12}, {1.5, 6}, {1.7, 7}, {1.9, 5}};
  for (std::size_t k = 1; k < top.size(); ++k) {
    batch.AddLine(top[k - 1], top[k], kRed);
    batch.AddLine({top[k - 1].x, top[k - 1].y + 30}, {top[k].x, top[k].y + 30}, kGreen);
  }
  ColumnRecorder rec;
  batch.Render(rec);
  const auto s = [](Colour c) { return std::to_string(c); };
  const std::vector<std::string> want = {"C" + s(kRed) + ":0,1-9",     "C" + s(kRed) + ":1,4-12",
                                         "J" + s(kRed) + ":1",         "C" + s(kGreen) + ":0,31-39",
                                         "C" + s(kGreen) + ":1,34-42", "J" + s(kGreen) + ":1"};
  EXPECT_EQ(rec.calls, want);

  // The next draw hands over only what it drew itself.
  batch.AddLine({5, 5}, {6, 6}, kRed);
  ColumnRecorder next;
  batch.Render(next);
  EXPECT_EQ(next.calls, std::vector<std::string>{"J" + s(kRed) + ":1"});
}

TEST(PlotBatchColumnsTest, SingleLineInsideOnePixelIsDrawnAsALine) {
  PlotBatch batch;
  batch.SetPictureSize(40, 60);
  batch.AddLine({3.2, 4.2}, {3.4, 4.8}, kRed);
  ColumnRecorder rec;
  batch.Render(rec);
  EXPECT_EQ(rec.calls, std::vector<std::string>{"J" + std::to_string(kRed) + ":1"});
}

}  // namespace
}  // namespace tallyo
