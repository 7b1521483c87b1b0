// The viewer window driven through the toolkit contract alone: what the window does
// around a draw (the interval box before it, the labels after it), on either edition.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Label.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "platform/PixelCanvas.h"
#include "support/Notations.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "viewer/Graph.h"

namespace tallyo::test {
namespace {

constexpr Colour kMarker = Rgb(255, 0, 255);
const char* const kSummaryNames[] = {"stime", "ftime", "VMax1", "VMin1", "AMax1", "AMin1", "WMax1",
                                     "WMin1", "RMax1", "RMin1", "SMax1", "SMin1", "watts"};

class GraphToolkitTest : public ::testing::Test {
 protected:
  Graph& Open(const NumberFormat& format = PlainNotation()) {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder(), format);
    graph_->Show();
    return *graph_;
  }

  const ViewerState& S() const { return graph_->State(); }
  TextBox& Interval() const { return *graph_->Find<TextBox>("Interval"); }
  PictureBox& Plot() const { return *graph_->Find<PictureBox>("Plot"); }

  // DISPLAY of the whole day in the file name, as the DISPLAY button runs it.
  void Display(const char* name) {
    graph_->Find<Label>("text1")->SetCaption(name);
    graph_->Command1_Click();
  }

  std::vector<std::string> SummaryCaptions() const {
    std::vector<std::string> captions;
    for (const char* name : kSummaryNames) captions.push_back(graph_->Find<Label>(name)->Caption());
    return captions;
  }

  // Covers the chart with a colour no draw uses; a redraw clears it away.
  void Mark() {
    PictureBox& plot = Plot();
    plot.Box(0, 0, plot.ScaleWidth(), plot.ScaleHeight(), kMarker);
    plot.Flush();
    ASSERT_TRUE(Marked());
  }
  bool Marked() const {
    PictureBox& plot = Plot();
    const std::uint32_t* pixels = plot.Pixels();
    const auto middle = static_cast<std::size_t>(plot.PictureHeight() / 2) * plot.PictureWidth() +
                        static_cast<std::size_t>(plot.PictureWidth() / 2);
    return pixels[middle] == PixelOf(kMarker);
  }

  TempLogFolder folder_;
  std::unique_ptr<Graph> graph_;
};

// The limit is the first step of every redraw: the box is set, and its change handling
// runs, while the chart still shows what was there, also when nothing is drawn afterwards.
TEST_F(GraphToolkitTest, IntervalLimitRunsBeforeTheClear) {
  Open();
  for (const int records : {1, 3}) {
    SCOPED_TRACE(records);
    folder_.WriteLog("day.txt", TestDay(records));
    TextBox& box = Interval();
    box.SetText("500");
    ASSERT_EQ(S().logInterval, 500);
    Mark();
    const std::function<void()> handler = box.onChange;
    int changes = 0;
    bool markedAtChange = false;
    box.onChange = [&] {
      ++changes;
      markedAtChange = Marked();
      handler();
    };
    Display("day.txt");
    box.onChange = handler;
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(markedAtChange);
    EXPECT_EQ(box.Text(), "120");
    EXPECT_EQ(S().logInterval, 120);
    EXPECT_FALSE(Marked());
  }
}

// A view of one record clears the chart and leaves the labels and the working values as
// the last draw left them: the initial captions before any draw.
TEST_F(GraphToolkitTest, OneRecordKeepsTheLabelsAndWorkingValues) {
  Open();
  folder_.WriteLog("one.txt", TestDay(1));
  folder_.WriteLog("three.txt", TestDay(3));
  const std::vector<std::string> initial = SummaryCaptions();
  EXPECT_EQ(initial.front(), "Start");
  EXPECT_EQ(initial.back(), "Wh");
  Display("one.txt");
  ASSERT_EQ(S().recordCount, 1);
  EXPECT_EQ(SummaryCaptions(), initial);

  Display("three.txt");
  const std::vector<std::string> drawn = SummaryCaptions();
  ASSERT_NE(drawn, initial);
  const WorkingValues kept = S();
  Mark();
  Display("one.txt");
  ASSERT_EQ(S().recordCount, 1);
  EXPECT_FALSE(Marked());
  EXPECT_EQ(SummaryCaptions(), drawn);
  EXPECT_EQ(S().voltsMax, kept.voltsMax);
  EXPECT_EQ(S().voltsMin, kept.voltsMin);
  EXPECT_EQ(S().ampsMax, kept.ampsMax);
  EXPECT_EQ(S().ampsMin, kept.ampsMin);
  EXPECT_EQ(S().wattsMax, kept.wattsMax);
  EXPECT_EQ(S().wattsMin, kept.wattsMin);
  EXPECT_EQ(S().rpmMax, kept.rpmMax);
  EXPECT_EQ(S().rpmMin, kept.rpmMin);
  EXPECT_EQ(S().energyWh, kept.energyWh);
}

// The box's change handling in German, as the user types "12,5": "1" and "12" are numbers,
// "12," too (a mark with no fraction), then 12.5 rounds to 12.
TEST_F(GraphToolkitTest, TypingInGermanKeepsTheComma) {
  Open(GermanNotation());
  TextBox& box = Interval();
  const std::vector<std::pair<std::string, std::int16_t>> keys = {
      {"1", 1}, {"12", 12}, {"12,", 12}, {"12,5", 12}};
  for (const auto& [text, interval] : keys) {
    box.SetText(text);
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(S().logInterval, interval) << text;
  }
  // A point is no decimal mark in German: "12.5" is no number and becomes "10".
  box.SetText("12.5");
  EXPECT_EQ(box.Text(), "10");
  EXPECT_EQ(S().logInterval, 10);
}

}  // namespace
}  // namespace tallyo::test
