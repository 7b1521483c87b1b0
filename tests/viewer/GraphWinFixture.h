#pragma once
// A viewer window on a temporary program folder, shown on the display and then found and
// driven from outside: by its window class, its controls' IDs and window messages, and
// judged by its texts and by the pixels it shows on screen.

#include <memory>
#include <string>

#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "support/WindowDriver.h"
#include "viewer/Graph.h"

namespace tallyo::test {

inline constexpr std::uint32_t kChartGrey = ScreenRgb(64, 64, 64);

class GraphWinFixture : public ::testing::Test {
 protected:
  // The day files the test needs are written before the window lists its folder.
  HWND Open() {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder());
    graph_->Show();
    hwnd_ = FindOwnWindow(L"TallyoGraph");
    EXPECT_EQ(hwnd_, graph_->Handle());
    return hwnd_;
  }

  const ViewerState& S() const { return graph_->State(); }
  HWND Item(int id) const { return Control(hwnd_, id); }
  std::string Caption(int id) const { return WindowText(Item(id)); }
  void SetCaption(int id, const std::string& text) const { SetWindowTextUtf8(Item(id), text); }
  void ClickButton(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
  HWND Chart() const { return Item(Plot); }
  Pixels ChartPixels() const { return Grab(Chart()); }

  void ClickFile(const std::string& name) {
    HWND list = Item(File1);
    const int entry = EntryOf(list, name);
    ASSERT_NE(entry, LB_ERR) << name;
    MouseClickEntry(list, entry);
  }

  // Writes a day of records, opens the viewer and displays the day by a click.
  void DisplayDay(const std::string& name, int records) {
    folder_.WriteLog(name, TestDay(records));
    Open();
    ClickFile(name);
    ASSERT_EQ(S().recordCount, records);
  }

  // The captions that DrawGraph writes.
  std::string SummaryLabels() const {
    std::string all;
    for (const int id : {stime, ftime, watts, VMax1, VMin1, AMax1, AMin1, WMax1, WMin1, RMax1,
                         RMin1, SMax1, SMin1})
      all += Caption(id) + "|";
    return all;
  }

  TempLogFolder folder_;
  std::unique_ptr<Graph> graph_;
  HWND hwnd_ = nullptr;
};

}  // namespace tallyo::test
