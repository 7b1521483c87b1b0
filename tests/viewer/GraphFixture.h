#pragma once
// A viewer window on a temporary program folder, shown on the screen and driven as the
// user and automation drive it (Drive.h of the toolkit's tests): its controls found by
// name, their texts read and set as they show, clicks, the pointer over the chart and the
// program's message boxes; the controls themselves through the toolkit contract; and a
// way to tell whether the chart has been redrawn.

#include <algorithm>
#include <memory>
#include <string>

#include "CheckBox.h"
#include "DirListBox.h"
#include "Drive.h"
#include "FileListBox.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "platform/Colours.h"
#include "platform/NumberFormat.h"
#include "platform/PixelCanvas.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "viewer/Graph.h"

namespace tallyo::test {

inline constexpr Colour kMarker = Rgb(255, 0, 255);

class GraphFixture : public ::testing::Test {
 protected:
  // The window lists its folder as it opens.
  Graph& Open() {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder());
    ShowAndWait(*graph_);
    return *graph_;
  }
  // The same with numbers in the given notation instead of the user's own.
  Graph& OpenIn(const NumberFormat& format) {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder(), format);
    ShowAndWait(*graph_);
    return *graph_;
  }

  const ViewerState& S() const { return graph_->State(); }
  Handle Item(const char* name) const { return test::Item(*graph_, name); }
  std::string Caption(const char* name) const { return ShownText(Item(name)); }
  void SetCaption(const char* name, const std::string& text) const {
    SetShownText(Item(name), text);
  }
  void Click(const char* name) const { test::Click(Item(name)); }
  void ClickFile(const std::string& name) const { ClickEntry(Item("File1"), name); }
  // The pointer over the chart at (x, y) of its pixels, no button held.
  void HoverChart(int x, int y) const { test::Hover(Item("Plot"), x, y); }

  TextBox& Box(const char* name) const { return *graph_->Find<TextBox>(name); }
  CheckBox& Check(const char* name) const { return *graph_->Find<CheckBox>(name); }
  FileListBox& Files() const { return *graph_->Find<FileListBox>("File1"); }
  PictureBox& Plot() const { return *graph_->Find<PictureBox>("Plot"); }

  // Covers the chart with a colour no draw uses; a redraw clears it away.
  void Mark() {
    PictureBox& plot = Plot();
    plot.Box(0, 0, plot.ScaleWidth(), plot.ScaleHeight(), kMarker);
    plot.Flush();
    ASSERT_TRUE(Marked());
  }
  bool Marked() {
    PictureBox& plot = Plot();
    const std::uint32_t* pixels = plot.Pixels();
    const int middle = plot.PictureHeight() / 2 * plot.PictureWidth() + plot.PictureWidth() / 2;
    return pixels[middle] == PixelOf(kMarker);
  }

  // The chart's mouse handling at x in its user scale, the left button held or (Hover)
  // none.
  void Press(float x) { Plot().onMouseDown(1, 0, x, 0); }
  void Move(float x) { Plot().onMouseMove(1, 0, x, 0); }
  void Hover(float x) { Plot().onMouseMove(0, 0, x, 0); }
  void Release(float x) { Plot().onMouseUp(1, 0, x, 0); }
  // Red pixels on the chart's top row, where the drag lines run.
  int RedOnTopRow() {
    PictureBox& plot = Plot();
    const std::uint32_t* top = plot.Pixels();
    return static_cast<int>(std::count(top, top + plot.PictureWidth(), PixelOf(kRed)));
  }
  // The readout as the five labels show it.
  std::string Readout() const {
    return Caption("vv") + "|" + Caption("av") + "|" + Caption("wv") + "|" + Caption("rv") + "|" +
           Caption("sv");
  }

  // Writes a day of records and displays it by a click, opening the window first when it
  // is not open; an open window lists its folder again.
  void DisplayDay(const char* name, int records) {
    folder_.WriteLog(name, TestDay(records));
    if (graph_) {
      Files().SetPath(Files().Path());
    } else {
      Open();
    }
    ClickFile(name);
    ASSERT_EQ(S().recordCount, records);
  }

  // The captions that DrawGraph writes.
  std::string SummaryLabels() const {
    std::string all;
    for (const char* name : {"stime", "ftime", "watts", "VMax1", "VMin1", "AMax1", "AMin1", "WMax1",
                             "WMin1", "RMax1", "RMin1", "SMax1", "SMin1"})
      all += Caption(name) + "|";
    return all;
  }

  TempLogFolder folder_;
  std::unique_ptr<Graph> graph_;
};

}  // namespace tallyo::test
