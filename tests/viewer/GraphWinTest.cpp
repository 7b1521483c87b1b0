// The viewer's Win32 window driven from outside through its control IDs: a file click
// shows the chart and its labels, DISPLAY's messages in the program's box, the interval
// box's nested reset, a series toggle's redraw, and a chart that survives a repaint.

#include <string>

#include "viewer/GraphWinFixture.h"

namespace tallyo::test {
namespace {

using GraphWinTest = GraphWinFixture;

// The two ways a tool or the user picks a file: the mouse on the entry, and the selection
// set with the notification a user's change sends. Each runs File1_Click exactly once.
enum class Pick { kMouse, kSelection };

class GraphFileClickWinTest : public GraphWinFixture, public ::testing::WithParamInterface<Pick> {};

TEST_P(GraphFileClickWinTest, FileClickShowsTheChartAndItsLabels) {
  folder_.WriteLog("day.txt", TestDay(100));
  folder_.WriteLog("other.txt", TestDay(3));
  HWND g = Open();
  HWND list = Item(g, File1);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  // The load handling's ticks, each set from the program as a click.
  for (const int ticked : {Check1, Check2, Check3, Check6}) EXPECT_TRUE(Ticked(g, ticked));
  for (const int unticked : {Check4, Check5}) EXPECT_FALSE(Ticked(g, unticked));
  const Pixels before = ChartPixels();
  ASSERT_GT(before.width, 0);
  EXPECT_EQ(before.Count(kChartGrey), before.width * before.height);
  SetText(g, Time1h, "05");
  SetText(g, Time2m, "20");
  const auto sizeBefore = folder_.ReadLog("day.txt")->size();

  const int entry = EntryOf(list, "day.txt");
  if (GetParam() == Pick::kMouse) {
    MouseClickEntry(list, entry);
  } else {
    SelectEntry(list, entry);
  }

  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), sizeBefore + 2) << "one display";
  EXPECT_EQ(Caption(text1), "day.txt");
  EXPECT_EQ(Caption(Time1h), "00");
  EXPECT_EQ(Caption(Time1m), "00");
  EXPECT_EQ(Caption(Time2h), "23");
  EXPECT_EQ(Caption(Time2m), "59");
  EXPECT_EQ(Caption(stime), "00:00");
  EXPECT_EQ(Caption(ftime), "00:16");
  EXPECT_EQ(Caption(VMax1), "35.00 V");
  EXPECT_EQ(Caption(VMin1), "0.00 V");
  const std::string energy = Caption(watts);
  EXPECT_TRUE(energy.ends_with(" Wh") && energy != "Wh") << energy;

  // The curves of the ticked series on the grey: volts red and watts blue (the amps of
  // these days rise like the watts, so their curve lies beneath), and no RPM (yellow) or
  // wind speed (white).
  const Pixels chart = ChartPixels();
  EXPECT_GT(chart.width * chart.height - chart.Count(kChartGrey), 100);
  EXPECT_GT(chart.Count(Rgb(255, 0, 0)), 0);
  EXPECT_GT(chart.Count(Rgb(0, 0, 255)), 0);
  EXPECT_EQ(chart.Count(Rgb(255, 255, 0)), 0);
  EXPECT_EQ(chart.Count(Rgb(255, 255, 255)), 0);
}

INSTANTIATE_TEST_SUITE_P(Picks, GraphFileClickWinTest,
                         ::testing::Values(Pick::kMouse, Pick::kSelection), [](const auto& info) {
                           return info.param == Pick::kMouse ? "Mouse" : "Selection";
                         });

TEST_F(GraphWinTest, KeyboardMoveInTheFileListDisplaysTheNextDay) {
  folder_.WriteLog("a.txt", TestDay(3));
  folder_.WriteLog("b.txt", TestDay(7));
  HWND g = Open();
  ClickFile("a.txt");
  ASSERT_EQ(S().recordCount, 3);
  ::SendMessageW(Item(g, File1), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(Caption(text1), "b.txt");
  EXPECT_EQ(S().recordCount, 7);
  EXPECT_EQ(folder_.ReadLog("b.txt")->size(), TestDay(7).size() + 2) << "one display";
}

struct MessageCase {
  const char* what;
  int records;        // in day.txt
  bool displayFirst;  // the day displayed before the boxes are set
  const char* boxes;  // Time1h Time1m Time2h Time2m, or nullptr to leave them
  bool byFileClick;   // the command run by a file click, else by the DISPLAY button
  const char* message;
};

class GraphMessageWinTest : public GraphWinFixture,
                            public ::testing::WithParamInterface<MessageCase> {};

TEST_P(GraphMessageWinTest, DisplayShowsTheMessageInTheProgramsBox) {
  const MessageCase& c = GetParam();
  folder_.WriteLog("day.txt", TestDay(c.records, c.records > 9000 ? 8 : 10));
  HWND g = Open();
  if (c.displayFirst) ClickFile("day.txt");
  if (c.boxes) {
    char h1[3], m1[3], h2[3], m2[3];
    ASSERT_EQ(std::sscanf(c.boxes, "%2s %2s %2s %2s", h1, m1, h2, m2), 4);
    SetText(g, Time1h, h1);
    SetText(g, Time1m, m1);
    SetText(g, Time2h, h2);
    SetText(g, Time2m, m2);
  }

  const auto seen = CatchMessage([&] {
    if (c.byFileClick) {
      ClickFile("day.txt");
    } else {
      Click(g, Command1);
    }
  });

  ASSERT_TRUE(seen) << c.what;
  EXPECT_EQ(seen->text, c.message);
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->buttons, 1);
  EXPECT_TRUE(seen->hasOk);
  EXPECT_FALSE(seen->hasIcon);
  EXPECT_EQ(seen->owner, g);
  EXPECT_FALSE(seen->ownerEnabled) << "the box is modal over the viewer";
  EXPECT_TRUE(::IsWindowEnabled(g)) << "the viewer takes input again";
}

const char kLimitMessage[] =
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set "
    "you logging interval to 10 seconds or more, you wont have this problem in the future. ";

INSTANTIATE_TEST_SUITE_P(
    Messages, GraphMessageWinTest,
    ::testing::Values(MessageCase{"start hours 24", 5, true, "24 00 23 59", false,
                                  "Bad time format for start time"},
                      MessageCase{"finish minutes 60", 5, true, "00 00 23 60", false,
                                  "Bad time format for finish time"},
                      MessageCase{"no file chosen", 5, false, nullptr, false,
                                  "select a file to view"},
                      MessageCase{"record limit", 10000, false, nullptr, true, kLimitMessage},
                      MessageCase{"empty file", 0, false, nullptr, true, "No data for that date"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(GraphWinTest, IntervalBoxKeepsANumberAndTheRedrawLimitsIt) {
  folder_.WriteLog("day.txt", TestDay(10));
  HWND g = Open();
  // A text set from outside is a change: the nested reset turns it into "10" at once.
  for (const char* text : {"x", "", "25x"}) {
    SetText(g, Interval, "77");
    SetText(g, Interval, text);
    EXPECT_EQ(Caption(Interval), "10") << text;
    EXPECT_EQ(S().logInterval, 10) << text;
  }
  // Keys typed over the selected text, one change each.
  HWND box = Item(g, Interval);
  ::SendMessageW(box, EM_SETSEL, 0, -1);
  ::SendMessageW(box, WM_CHAR, L'3', 1);
  EXPECT_EQ(S().logInterval, 3);
  ::SendMessageW(box, WM_CHAR, L'0', 1);
  EXPECT_EQ(S().logInterval, 30);
  EXPECT_EQ(Caption(Interval), "30");

  // The redraw's limit to 10..120 sets the text, which the change handling stores.
  ClickFile("day.txt");
  SetText(g, Interval, "500");
  EXPECT_EQ(S().logInterval, 500);
  Click(g, Check5);
  EXPECT_EQ(Caption(Interval), "120");
  EXPECT_EQ(S().logInterval, 120);
}

TEST_F(GraphWinTest, ToggleRedrawsTheChartAndLeavesTheLabels) {
  DisplayDay("day.txt", 100);
  HWND g = hwnd_;
  const std::string labels = SummaryLabels();
  const Pixels shown = ChartPixels();
  ASSERT_EQ(shown.Count(Rgb(255, 255, 0)), 0);
  ASSERT_FALSE(Ticked(g, Check4));

  Click(g, Check4);
  EXPECT_TRUE(Ticked(g, Check4));
  EXPECT_EQ(S().showRpm, 1);
  const Pixels withRpm = ChartPixels();
  EXPECT_GT(withRpm.Count(Rgb(255, 255, 0)), 0) << "the RPM curve is drawn";
  EXPECT_EQ(SummaryLabels(), labels);

  Click(g, Check4);
  EXPECT_FALSE(Ticked(g, Check4));
  EXPECT_EQ(S().showRpm, 0);
  EXPECT_TRUE(ChartPixels() == shown) << "the same picture as before the first click";
  EXPECT_EQ(SummaryLabels(), labels);

  // Volts off: its red curve goes.
  Click(g, Check1);
  EXPECT_EQ(ChartPixels().Count(Rgb(255, 0, 0)), 0);
  EXPECT_EQ(SummaryLabels(), labels);
}

TEST_F(GraphWinTest, ChartSurvivesARepaint) {
  DisplayDay("day.txt", 100);
  const Pixels shown = ChartPixels();
  ASSERT_GT(shown.width * shown.height - shown.Count(kChartGrey), 100);

  ::InvalidateRect(Chart(), nullptr, TRUE);
  ::UpdateWindow(Chart());
  EXPECT_TRUE(ChartPixels() == shown);

  // The whole window, its background erased and every control painted again.
  ::RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(ChartPixels() == shown);

  // Hidden and shown again.
  ::ShowWindow(hwnd_, SW_HIDE);
  ::ShowWindow(hwnd_, SW_SHOW);
  EXPECT_TRUE(ChartPixels() == shown);
}

}  // namespace
}  // namespace tallyo::test
