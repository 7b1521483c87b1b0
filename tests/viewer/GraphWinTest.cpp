// The viewer's Win32 windows driven by messages in the test's own process, as automation
// and the user drive them: control IDs, texts read by WM_GETTEXT, clicks and mouse moves
// sent to the controls, message boxes found by their class and closed. The handlers'
// logic is proven by the plain tests; these prove the window backend under it.

#include <cmath>
#include <string>

#include "app/Frontpiece.h"
#include "platform/Twips.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

class GraphWinTest : public GraphFixture {
 protected:
  std::uint32_t PixelAt(int x, int y) {
    PictureBox& plot = Plot();
    return plot.Pixels()[static_cast<std::size_t>(y) * plot.PictureWidth() + x];
  }
};

TEST_F(GraphWinTest, WindowClassCaptionAndControlIds) {
  Open();
  wchar_t name[64] = {};
  GetClassNameW(graph_->Handle(), name, 64);
  EXPECT_STREQ(name, L"TallyoGraph");
  EXPECT_EQ(WindowText(graph_->Handle()), "Graph");
  const struct {
    int id;
    const char* name;
    const char* wndClass;
    const char* text;
  } cases[] = {
      {101, "Interval", "Edit", "10"},
      {102, "File1", "ListBox", ""},
      {103, "Dir1", "ListBox", ""},
      {110, "Plot", "TallyoPictureBox", ""},
      {111, "Command2", "Button", "Exit"},
      {112, "Time1h", "Edit", "00"},
      {114, "Command1", "Button", "DISPLAY"},
      {119, "watts", "Static", "Wh"},
      {120, "text1", "Static", ""},
      {123, "sv", "Static", "0"},
      {130, "vv", "Static", "0"},
      {131, "ftime", "Static", "Finish"},
      {132, "stime", "Static", "Start"},
      {140, "VMax1", "Static", "0"},
      {148, "Label15", "Static", "Log History"},
  };
  for (const auto& c : cases) {
    HWND control = Control(graph_->Handle(), c.id);
    ASSERT_NE(control, nullptr) << c.name;
    GetClassNameW(control, name, 64);
    EXPECT_EQ(Utf8FromWide(name), c.wndClass) << c.name;
    EXPECT_EQ(GetDlgCtrlID(control), c.id);
    EXPECT_EQ(control, Item(c.name));
    EXPECT_EQ(WindowText(control), c.text) << c.name;
  }
}

TEST_F(GraphWinTest, TabFollowsTheFocusOrderAndWraps) {
  Open();
  SetForegroundWindow(graph_->Handle());
  SetFocus(Item("Time1m"));  // first in the order
  const char* order[] = {"Time1m", "Time2m", "Command1", "Time2h",   "Time1h", "Command2",
                         "Plot",   "Check1", "Check2",   "Check3",   "Check4", "Check5",
                         "Check6", "Dir1",   "File1",    "Interval", "Time1m"};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    ASSERT_TRUE(graph_->MoveFocus(false));
    EXPECT_EQ(GetFocus(), Item(order[i])) << "after " << order[i - 1];
  }
  ASSERT_TRUE(graph_->MoveFocus(true));
  EXPECT_EQ(GetFocus(), Item("Interval"));
}

TEST_F(GraphWinTest, DragZoomsOnceAndASecondDragDoesNothing) {
  Open();
  DisplayDay("day.txt", 100);
  HWND plot = Item("Plot");
  PictureBox& box = Plot();
  // The chart's coordinates of the press and the release in the full view.
  const float pressX = box.ToUserX(100), releaseX = box.ToUserX(400);
  MouseMessage(plot, WM_LBUTTONDOWN, MK_LBUTTON, 100, 50);
  EXPECT_EQ(GetCapture(), plot);
  // Moves and the release outside the box still arrive while the button is held.
  MouseMessage(plot, WM_MOUSEMOVE, MK_LBUTTON, 300, -20);
  Mark();
  MouseMessage(plot, WM_LBUTTONUP, 0, 400, -20);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_FLOAT_EQ(static_cast<float>(S().viewStart), pressX);
  EXPECT_FLOAT_EQ(static_cast<float>(S().viewEnd), releaseX);
  EXPECT_FALSE(Marked());  // redrawn

  const double start = S().viewStart, end = S().viewEnd;
  Mark();
  MouseMessage(plot, WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
  MouseMessage(plot, WM_MOUSEMOVE, MK_LBUTTON, 200, 50);
  MouseMessage(plot, WM_LBUTTONUP, 0, 300, 50);
  EXPECT_EQ(S().viewStart, start);
  EXPECT_EQ(S().viewEnd, end);
  EXPECT_TRUE(Marked());  // not redrawn
}

TEST_F(GraphWinTest, DrawingSurvivesARepaint) {
  Open();
  DisplayDay("day.txt", 100);
  HWND plot = Item("Plot");
  PictureBox& box = Plot();
  RedrawWindow(plot, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // What the screen shows is the kept picture, pixel for pixel.
  HDC screen = GetDC(plot);
  int differ = 0;
  for (int y = 0; y < box.PictureHeight(); y += 7)
    for (int x = 0; x < box.PictureWidth(); x += 5) {
      const COLORREF shown = GetPixel(screen, x, y);
      differ += PixelOf(static_cast<Colour>(shown)) != PixelAt(x, y);
    }
  ReleaseDC(plot, screen);
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(S().recordCount, 100);
}

TEST_F(GraphWinTest, NewResolutionPlacesEverythingAgainAndKeepsTheChart) {
  Open();
  DisplayDay("day.txt", 100);
  const int dpi = 3 * graph_->DpiY() / 2;  // 150 % of the start's
  RECT frame{};
  GetWindowRect(graph_->Handle(), &frame);
  frame.right = frame.left + (frame.right - frame.left) * 3 / 2;
  frame.bottom = frame.top + (frame.bottom - frame.top) * 3 / 2;
  SendMessageW(graph_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&frame));
  RECT plot{};
  GetClientRect(Item("Plot"), &plot);
  EXPECT_EQ(plot.right, TwipsToPixels(3600 + 11235, dpi) - TwipsToPixels(3600, dpi));
  EXPECT_EQ(plot.bottom, TwipsToPixels(270 + 5235, dpi) - TwipsToPixels(270, dpi));
  EXPECT_EQ(Plot().PictureWidth(), plot.right);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item("Interval"), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(12.0 * dpi / 72)));  // window font
  EXPECT_EQ(Caption("text1"), "day.txt");
  EXPECT_EQ(Caption("VMax1"), "35.00 V");
  // The chart is still there, stretched, without a redraw.
  const std::uint32_t grey = PixelOf(Rgb(64, 64, 64));
  int drawn = 0;
  const std::uint32_t* pixels = Plot().Pixels();
  for (int i = 0; i < plot.right * plot.bottom; ++i) drawn += pixels[i] != grey;
  EXPECT_GT(drawn, plot.right);
}

struct StartSeen {
  bool graphVisible = false, frontVisible = true, frontEnabled = true;
};
StartSeen* startSeen = nullptr;

BOOL CALLBACK FindGraph(HWND hwnd, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (lstrcmpW(name, L"TallyoGraph") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

HWND ThreadGraph() {
  HWND graph = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindGraph, reinterpret_cast<LPARAM>(&graph));
  return graph;
}

TEST(FrontpieceWinTest, StartWindowAppearsOnlyAfterTheViewerCloses) {
  TempLogFolder folder;
  Frontpiece front(folder.ProgramFolder());
  wchar_t name[64] = {};
  GetClassNameW(front.Handle(), name, 64);
  EXPECT_STREQ(name, L"TallyoFrontpiece");
  EXPECT_EQ(WindowText(front.Handle()), "");
  EXPECT_EQ(WindowText(Control(front.Handle(), 106)), "Tallyo [ Logs Viewer ]");
  EXPECT_EQ(WindowText(Control(front.Handle(), 102)), "Quorlane");

  StartSeen seen;
  startSeen = &seen;
  static HWND frontHandle;
  frontHandle = front.Handle();
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND graph = ThreadGraph();
    startSeen->graphVisible = graph && IsWindowVisible(graph);
    startSeen->frontVisible = IsWindowVisible(frontHandle) != FALSE;
    startSeen->frontEnabled = IsWindowEnabled(frontHandle) != FALSE;
    if (graph) PostMessageW(graph, WM_CLOSE, 0, 0);
  });
  // Should a window not close, the message loops end here rather than never.
  const UINT_PTR watchdog = SetTimer(nullptr, 0, static_cast<UINT>(kWaitLimit.count()),
                                     [](HWND, UINT, UINT_PTR id, DWORD) {
                                       KillTimer(nullptr, id);
                                       ADD_FAILURE() << "a window did not close";
                                       PostQuitMessage(1);
                                     });
  front.LoadAndShow();
  KillTimer(nullptr, timer);
  startSeen = nullptr;
  EXPECT_TRUE(seen.graphVisible);
  EXPECT_FALSE(seen.frontVisible);
  EXPECT_FALSE(seen.frontEnabled);    // the owner of the modal viewer
  EXPECT_EQ(ThreadGraph(), nullptr);  // the viewer is gone
  EXPECT_TRUE(IsWindowVisible(front.Handle()));
  EXPECT_TRUE(IsWindowEnabled(front.Handle()));
  SendMessageW(Control(front.Handle(), Exit), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(front.Handle()));
  EXPECT_EQ(front.RunUntilClosed(), 0);
  KillTimer(nullptr, watchdog);
}

}  // namespace
}  // namespace tallyo::test
