// The viewer's Win32 window driven as automation tools and the keyboard drive it, and
// judged by what it shows on screen: a file chosen by selection or by the arrow key runs
// one display, a press below the list's entries chooses nothing, the window's frame and
// pointer, a toggle's curve comes and goes on screen, and the drag line and the chart
// survive the window's repaints.

#include <string>

#include "platform/Colours.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

using GraphAutomationWinTest = GraphFixture;

constexpr std::uint32_t kGrey = PixelOf(kChartGrey);
constexpr std::uint32_t kRed = ScreenRgb(255, 0, 0);
constexpr std::uint32_t kYellow = ScreenRgb(255, 255, 0);

// The ways a file is chosen besides the mouse, each one display of the chosen day.
enum class Pick { kSelection, kArrowKey };

class GraphPickWinTest : public GraphFixture, public ::testing::WithParamInterface<Pick> {};

TEST_P(GraphPickWinTest, ChoosingAFileDisplaysItOnce) {
  folder_.WriteLog("a.txt", TestDay(3));
  folder_.WriteLog("day.txt", TestDay(100));
  Open();
  // The load handling's ticks, each set from the program as a click.
  for (const char* ticked : {"Check1", "Check2", "Check3", "Check6"})
    EXPECT_TRUE(Ticked(Item(ticked)));
  for (const char* unticked : {"Check4", "Check5"}) EXPECT_FALSE(Ticked(Item(unticked)));
  const ShownPicture before = Grab(Item("Plot"));
  ASSERT_GT(before.width, 0);
  EXPECT_EQ(before.Count(kGrey), before.width * before.height);

  HWND list = Item("File1");
  if (GetParam() == Pick::kSelection) {
    SelectEntry(list, EntryOf(list, "day.txt"));
  } else {
    ClickFile("a.txt");
    ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
  }

  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), TestDay(100).size() + 2) << "one display";
  EXPECT_EQ(Caption("text1"), "day.txt");
  EXPECT_EQ(S().recordCount, 100);
  EXPECT_EQ(Caption("ftime"), "00:16");
  // The ticked curves on the grey: volts red and watts blue (the amps of these days rise
  // like the watts, so their curve lies beneath), no RPM (yellow) or wind speed (white).
  const ShownPicture chart = Grab(Item("Plot"));
  EXPECT_GT(chart.width * chart.height - chart.Count(kGrey), 100);
  EXPECT_GT(chart.Count(kRed), 0);
  EXPECT_GT(chart.Count(ScreenRgb(0, 0, 255)), 0);
  EXPECT_EQ(chart.Count(kYellow), 0);
  EXPECT_EQ(chart.Count(ScreenRgb(255, 255, 255)), 0);
}

INSTANTIATE_TEST_SUITE_P(Picks, GraphPickWinTest,
                         ::testing::Values(Pick::kSelection, Pick::kArrowKey),
                         [](const auto& info) {
                           return info.param == Pick::kSelection ? "Selection" : "ArrowKey";
                         });

// A press on the empty part of the list, below its last entry, chooses no file.
TEST_F(GraphAutomationWinTest, ClickBelowTheLastEntryDisplaysNothing) {
  folder_.WriteLog("day.txt", TestDay(5));
  Open();
  HWND list = Item("File1");
  RECT last{}, client{};
  ::SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&last));
  ::GetClientRect(list, &client);
  ASSERT_LT(last.bottom + 10, client.bottom);
  MouseMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, 20, last.bottom + 10);
  MouseMessage(list, WM_LBUTTONUP, 0, 20, last.bottom + 10);
  EXPECT_EQ(Caption("text1"), "");
  EXPECT_EQ(S().recordCount, 0);
  EXPECT_EQ(folder_.ReadLog("day.txt"), TestDay(5));
}

// The window as the user and automation meet it: a fixed size from the layout in twips
// at the screen's DPI, no sizing border or maximize button, and the crosshair over the
// chart. (The icons are resources of the program file, which this test program lacks.)
TEST_F(GraphAutomationWinTest, FixedSizeWindowAndACrosshairOverTheChart) {
  Open();
  HDC screen = ::GetDC(nullptr);
  const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  RECT client{};
  ::GetClientRect(graph_->Handle(), &client);
  EXPECT_EQ(client.right, (14865 * dpiX + 720) / 1440);
  EXPECT_EQ(client.bottom, (6750 * dpiY + 720) / 1440);
  const LONG_PTR style = ::GetWindowLongPtrW(graph_->Handle(), GWL_STYLE);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(style & WS_SYSMENU, 0) << "a close control";
  EXPECT_EQ(
      ::GetClassLongPtrW(Item("Plot"), GCLP_HCURSOR),
      reinterpret_cast<LONG_PTR>(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_CROSS))));
}

TEST_F(GraphAutomationWinTest, ToggledCurveComesAndGoesOnScreenAndNoLabelChanges) {
  DisplayDay("day.txt", 100);
  const std::string labels = SummaryLabels();
  const ShownPicture shown = Grab(Item("Plot"));
  ASSERT_EQ(shown.Count(kYellow), 0);

  Click("Check4");
  EXPECT_TRUE(Ticked(Item("Check4")));
  EXPECT_GT(Grab(Item("Plot")).Count(kYellow), 0) << "the RPM curve is drawn";
  EXPECT_EQ(SummaryLabels(), labels);

  Click("Check4");
  EXPECT_FALSE(Ticked(Item("Check4")));
  EXPECT_TRUE(Grab(Item("Plot")) == shown) << "the picture of before the first click";
  EXPECT_EQ(SummaryLabels(), labels);

  Click("Check1");
  EXPECT_EQ(Grab(Item("Plot")).Count(kRed), 0) << "the volts curve is gone";
  EXPECT_EQ(SummaryLabels(), labels);
}

TEST_F(GraphAutomationWinTest, ChartAndDragLineSurviveTheWindowsRepaints) {
  DisplayDay("day.txt", 100);
  const ShownPicture shown = Grab(Item("Plot"));
  ASSERT_GT(shown.width * shown.height - shown.Count(kGrey), 100);
  auto repaintAll = [&] {
    // The whole window, its background erased and every control painted again; then
    // hidden and shown.
    ::RedrawWindow(graph_->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::ShowWindow(graph_->Handle(), SW_HIDE);
    ::ShowWindow(graph_->Handle(), SW_SHOW);
  };
  repaintAll();
  EXPECT_TRUE(Grab(Item("Plot")) == shown);

  // A move with no button held draws nothing.
  MouseMessage(Item("Plot"), WM_MOUSEMOVE, 0, 200, 100);
  EXPECT_TRUE(Grab(Item("Plot")) == shown);

  // The drag line along the top edge, from the press to the pointer, is drawn once and
  // stays through the repaints until the zoom's redraw clears it.
  ASSERT_EQ(shown.CountInRow(0, kRed), 0);
  MouseMessage(Item("Plot"), WM_LBUTTONDOWN, MK_LBUTTON, 150, 100);
  MouseMessage(Item("Plot"), WM_MOUSEMOVE, MK_LBUTTON, 300, 100);
  const ShownPicture dragging = Grab(Item("Plot"));
  EXPECT_GT(dragging.CountInRow(0, kRed), 140);
  repaintAll();
  EXPECT_TRUE(Grab(Item("Plot")) == dragging);
  MouseMessage(Item("Plot"), WM_LBUTTONUP, 0, 450, 100);
  ASSERT_EQ(S().zoomState, 1);
  EXPECT_EQ(Grab(Item("Plot")).CountInRow(0, kRed), 0);
}

}  // namespace
}  // namespace tallyo::test
