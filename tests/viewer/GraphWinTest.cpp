// The viewer's Win32 windows driven by messages in the test's own process, as automation
// and the user drive them: control IDs, texts read by WM_GETTEXT, clicks and mouse moves
// sent to the controls, message boxes found by their class and closed. The handlers'
// logic is proven by the plain tests; these prove the window backend under it.

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FileListBox.h"
#include "MessageLoop.h"
#include "PictureBox.h"
#include "app/Frontpiece.h"
#include "log/LoadLog.h"
#include "platform/NumberText.h"
#include "platform/PixelCanvas.h"
#include "platform/Rounding.h"
#include "platform/Twips.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "viewer/Graph.h"
#include "viewer/WinTestSupport.h"

namespace tallyo::test {
namespace {

// Control IDs: 100 plus the control's row in its window's layout table.
enum GraphId {
  kInterval = 101,
  kFile1 = 102,
  kDir1 = 103,
  kCheck4 = 106,
  kPlot = 110,
  kCommand2 = 111,
  kTime1h = 112,
  kTime2h = 113,
  kCommand1 = 114,
  kWatts = 119,
  kText1 = 120,
  kSv = 123,
  kRv = 126,
  kWv = 128,
  kAv = 129,
  kVv = 130,
  kFtime = 131,
  kStime = 132,
  kVMax1 = 140,
};
constexpr int kFrontpieceExit = 101;

constexpr Colour kMarker = Rgb(255, 0, 255);

class GraphWinTest : public ::testing::Test {
 protected:
  Graph& Open() {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder());
    graph_->Show();
    PumpMessages();
    return *graph_;
  }
  HWND Item(int id) const { return Control(graph_->Handle(), id); }
  std::string Text(int id) const { return WindowText(Item(id)); }
  const ViewerState& S() const { return graph_->State(); }
  PictureBox& Plot() const { return *graph_->Find<PictureBox>("Plot"); }

  // The file's entry in File1 clicked with the mouse.
  void ClickFile(const char* name) {
    HWND list = Item(kFile1);
    const std::optional<std::wstring> wide = WideFromUtf8(name);
    ASSERT_TRUE(wide);
    const auto index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(wide->c_str()));
    ASSERT_NE(index, LB_ERR) << name;
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    Click(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  void DisplayDay(const char* name, int records) {
    folder_.WriteLog(name, TestDay(records));
    // The list is read when the window loads: the new file is listed by setting the
    // folder again.
    graph_->Find<FileListBox>("File1")->SetPath(folder_.LogsFolder());
    ClickFile(name);
    ASSERT_EQ(S().recordCount, records);
  }

  std::uint32_t PixelAt(int x, int y) {
    PictureBox& plot = Plot();
    return plot.Pixels()[static_cast<std::size_t>(y) * plot.PictureWidth() + x];
  }
  // Covers the chart with a colour no draw uses; a redraw clears it away.
  void Mark() {
    PictureBox& plot = Plot();
    plot.Box(0, 0, plot.ScaleWidth(), plot.ScaleHeight(), kMarker);
    plot.Flush();
    ASSERT_TRUE(Marked());
  }
  bool Marked() { return PixelAt(Plot().PictureWidth() / 2, 1) == PixelOf(kMarker); }

  // The readout of record k, in the order vv, av, wv, rv, sv.
  static std::string Readout(int k) {
    auto text = [](double v) { return PlainNumber(RoundTo2HalfEven(v)); };
    return text(TestRecord::Volts(k)) + " V|" + text(TestRecord::Amps(k)) + " A|" +
           text(TestRecord::Watts(k)) + " W|" + text(TestRecord::Rpm(k)) + " RPM|" +
           text(TestRecord::Speed(k)) + " ";
  }
  std::string ReadoutShown() const {
    return Text(kVv) + "|" + Text(kAv) + "|" + Text(kWv) + "|" + Text(kRv) + "|" + Text(kSv);
  }

  TempLogFolder folder_;
  std::unique_ptr<Graph> graph_;
};

TEST_F(GraphWinTest, WindowClassCaptionAndControlIds) {
  Open();
  wchar_t name[64] = {};
  GetClassNameW(graph_->Handle(), name, 64);
  EXPECT_STREQ(name, L"TallyoGraph");
  EXPECT_EQ(WindowText(graph_->Handle()), "Graph");
  const struct {
    int id;
    const char* wndClass;
    const char* text;
  } cases[] = {
      {kInterval, "Edit", "10"},
      {kFile1, "ListBox", ""},
      {kDir1, "ListBox", ""},
      {kPlot, "TallyoPictureBox", ""},
      {kCommand2, "Button", "Exit"},
      {kTime1h, "Edit", "00"},
      {kCommand1, "Button", "DISPLAY"},
      {kWatts, "Static", "Wh"},
      {kText1, "Static", ""},
      {kSv, "Static", "0"},
      {kVv, "Static", "0"},
      {kFtime, "Static", "Finish"},
      {kStime, "Static", "Start"},
      {kVMax1, "Static", "0"},
      {148, "Static", "Log History"},
  };
  for (const auto& c : cases) {
    HWND control = Item(c.id);
    ASSERT_NE(control, nullptr) << c.id;
    GetClassNameW(control, name, 64);
    EXPECT_EQ(Utf8FromWide(name), c.wndClass) << c.id;
    EXPECT_EQ(GetDlgCtrlID(control), c.id);
    EXPECT_EQ(WindowText(control), c.text) << c.id;
  }
}

TEST_F(GraphWinTest, FileClickShowsTheChartAndItsLabels) {
  Open();
  DisplayDay("day.txt", 100);
  EXPECT_EQ(Text(kText1), "day.txt");
  EXPECT_EQ(Text(kStime), "00:00");    // record 1 at 00:00:10
  EXPECT_EQ(Text(kFtime), "00:16");    // record 100 at 00:16:40
  EXPECT_EQ(Text(kVMax1), "35.00 V");  // the extremes show two decimals
  // The curves are on the chart: the picture is not all background.
  PictureBox& plot = Plot();
  const std::uint32_t* pixels = plot.Pixels();
  const std::uint32_t grey = PixelOf(Rgb(64, 64, 64));
  int drawn = 0;
  for (int i = 0; i < plot.PictureWidth() * plot.PictureHeight(); ++i) drawn += pixels[i] != grey;
  EXPECT_GT(drawn, plot.PictureWidth());
}

TEST_F(GraphWinTest, TabFollowsTheFocusOrderAndWraps) {
  Open();
  SetForegroundWindow(graph_->Handle());
  SetFocus(Item(116));  // Time1m, first in the order
  const int order[] = {116, 115,     kCommand1, kTime2h, kTime1h, kCommand2, kPlot,     109, 108,
                       107, kCheck4, 105,       104,     kDir1,   kFile1,    kInterval, 116};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    ASSERT_TRUE(graph_->MoveFocus(false));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[i]) << "after " << order[i - 1];
  }
  ASSERT_TRUE(graph_->MoveFocus(true));
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), kInterval);
}

struct MessageCase {
  const char* name;
  int timeBox;  // a time box set to timeText first, or 0
  const char* timeText;
  bool chooseFile;
  int records;
  const char* message;
};

class GraphWinMessageTest : public GraphWinTest,
                            public ::testing::WithParamInterface<MessageCase> {};

TEST_P(GraphWinMessageTest, DisplayShowsTheMessageInTheProgramsBox) {
  const MessageCase& c = GetParam();
  Open();
  if (c.chooseFile) {
    folder_.WriteLog("day.txt", TestDay(c.records, c.records > 9000 ? 8 : 10));
    graph_->Find<FileListBox>("File1")->SetPath(folder_.LogsFolder());
  }
  const auto seen = CatchMessage([&] {
    if (c.chooseFile) ClickFile("day.txt");
    if (c.timeBox) {
      SetWindowTextUtf8(Item(c.timeBox), c.timeText);
      SendMessageW(Item(kCommand1), BM_CLICK, 0, 0);
    }
    if (!c.chooseFile && !c.timeBox) SendMessageW(Item(kCommand1), BM_CLICK, 0, 0);
  });
  ASSERT_TRUE(seen.has_value()) << c.name;
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->text, c.message);
  EXPECT_EQ(seen->buttons, 1);
  EXPECT_TRUE(seen->hasOk);
  EXPECT_FALSE(seen->hasIcon);
  EXPECT_EQ(seen->owner, graph_->Handle());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GraphWinMessageTest,
    ::testing::Values(
        MessageCase{"BadStart", kTime1h, "24", false, 0, "Bad time format for start time"},
        MessageCase{"BadFinish", kTime2h, "24", false, 0, "Bad time format for finish time"},
        MessageCase{"NoFile", 0, "", false, 0, "select a file to view"},
        MessageCase{"NoRecord", 0, "", true, 0, "No data for that date"},
        MessageCase{"RecordLimit", 0, "", true, 10000, kRecordLimitMessage.data()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GraphWinTest, NonNumericIntervalBecomesTenAtOnce) {
  Open();
  SetWindowTextUtf8(Item(kInterval), "x");
  EXPECT_EQ(Text(kInterval), "10");
  EXPECT_EQ(S().logInterval, 10);
  SetWindowTextUtf8(Item(kInterval), "30");
  EXPECT_EQ(S().logInterval, 30);
}

TEST_F(GraphWinTest, DragZoomsOnceAndASecondDragDoesNothing) {
  Open();
  DisplayDay("day.txt", 100);
  HWND plot = Item(kPlot);
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

TEST_F(GraphWinTest, PointerShowsTheRecordUnderIt) {
  Open();
  DisplayDay("day.txt", 100);
  PictureBox& box = Plot();
  for (const int px : {0, 37, 200, box.PictureWidth() - 1}) {
    MouseMessage(Item(kPlot), WM_MOUSEMOVE, 0, px, 10);
    const double k = RoundHalfEven(std::floor(static_cast<double>(box.ToUserX(px))) + 1);
    EXPECT_EQ(ReadoutShown(), Readout(static_cast<int>(k))) << px;
  }
}

TEST_F(GraphWinTest, ToggleRedrawsWithoutChangingALabel) {
  Open();
  DisplayDay("day.txt", 100);
  const std::string maxBefore = Text(kVMax1), wattsBefore = Text(kWatts);
  Mark();
  SendMessageW(Item(kCheck4), BM_CLICK, 0, 0);
  EXPECT_EQ(S().showRpm, 1);
  EXPECT_FALSE(Marked());
  EXPECT_EQ(Text(kVMax1), maxBefore);
  EXPECT_EQ(Text(kWatts), wattsBefore);
}

TEST_F(GraphWinTest, DrawingSurvivesARepaint) {
  Open();
  DisplayDay("day.txt", 100);
  HWND plot = Item(kPlot);
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
  GetClientRect(Item(kPlot), &plot);
  EXPECT_EQ(plot.right, TwipsToPixels(3600 + 11235, dpi) - TwipsToPixels(3600, dpi));
  EXPECT_EQ(plot.bottom, TwipsToPixels(270 + 5235, dpi) - TwipsToPixels(270, dpi));
  EXPECT_EQ(Plot().PictureWidth(), plot.right);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(kInterval), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(12.0 * dpi / 72)));  // window font
  EXPECT_EQ(Text(kText1), "day.txt");
  EXPECT_EQ(Text(kVMax1), "35.00 V");
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
  front.LoadAndShow();
  KillTimer(nullptr, timer);
  startSeen = nullptr;
  EXPECT_TRUE(seen.graphVisible);
  EXPECT_FALSE(seen.frontVisible);
  EXPECT_FALSE(seen.frontEnabled);    // the owner of the modal viewer
  EXPECT_EQ(ThreadGraph(), nullptr);  // the viewer is gone
  EXPECT_TRUE(IsWindowVisible(front.Handle()));
  EXPECT_TRUE(IsWindowEnabled(front.Handle()));
  SendMessageW(Control(front.Handle(), kFrontpieceExit), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(front.Handle()));
  EXPECT_EQ(front.RunUntilClosed(), 0);
}

// Runs the program's message loop until done() holds, for a second at most; whether it held.
bool LoopUntil(const std::function<bool()>& done) {
  static const std::function<bool()>* check = nullptr;
  static DWORD started = 0;
  static bool running = false;
  check = &done;
  started = GetTickCount();
  running = !done();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    if ((*check)() || GetTickCount() - started > 1000) running = false;
  });
  RunMessagesWhile(running);
  KillTimer(nullptr, timer);
  return done();
}

// The file list follows the logs folder while a day is shown: a day that comes is listed
// and one that goes is removed within a second, the chosen day stays chosen, the entries in
// view stay where they are, and nothing is clicked or displayed again. A day that only
// grows (the logger appending) changes nothing.
TEST_F(GraphWinTest, FileListFollowsTheLogsFolder) {
  for (int d = 10; d < 70; ++d) folder_.WriteLog("d" + std::to_string(d) + ".txt", TestDay(3));
  Open();
  HWND list = Item(kFile1);
  SendMessageW(list, LB_SETTOPINDEX, 20, 0);
  ClickFile("d35.txt");
  ASSERT_EQ(S().recordCount, 3);
  SetWindowTextUtf8(Item(kTime1h), "05");
  Mark();
  FileListBox& files = *graph_->Find<FileListBox>("File1");
  const auto listed = [&] {
    std::vector<std::string> names;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
      wchar_t name[64] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
      names.push_back(Utf8FromWide(name));
    }
    return names;
  };
  const auto top = [&] { return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); };
  std::vector<std::string> expected = listed();
  const auto remove = [&](const char* name) {
    std::filesystem::remove(NativePath(folder_.LogPath(name)));
    std::erase(expected, std::string(name));
  };
  const int scrolled = top();
  // Days come and go above the entries in view and below them.
  folder_.WriteLog("d05.txt", "");
  folder_.WriteLog("d99.txt", "");
  std::ofstream(NativePath(folder_.LogPath("d35.txt")), std::ios::binary | std::ios::app) << "x";
  expected.insert(expected.begin(), "d05.txt");
  expected.push_back("d99.txt");
  remove("d12.txt");
  remove("d60.txt");
  EXPECT_TRUE(LoopUntil([&] { return listed() == expected; }));
  EXPECT_EQ(top(), scrolled);
  EXPECT_EQ(files.FileName(), "d35.txt");
  remove("d11.txt");
  EXPECT_TRUE(LoopUntil([&] { return listed() == expected; }));
  EXPECT_EQ(listed()[static_cast<std::size_t>(top())], "d30.txt");
  EXPECT_EQ(files.FileName(), "d35.txt");
  // The chosen day goes: nothing is chosen.
  remove("d35.txt");
  EXPECT_TRUE(LoopUntil([&] { return listed() == expected; }));
  EXPECT_EQ(files.FileName(), "");
  EXPECT_TRUE(Marked());
  EXPECT_EQ(Text(kTime1h), "05");
  EXPECT_EQ(S().recordCount, 3);

  // The whole folder goes, and comes back.
  std::filesystem::remove_all(NativePath(folder_.LogsFolder()));
  EXPECT_TRUE(LoopUntil([&] { return listed().empty(); }));
  std::filesystem::create_directory(NativePath(folder_.LogsFolder()));
  folder_.WriteLog("d01.txt", "");
  EXPECT_TRUE(LoopUntil([&] { return listed() == std::vector<std::string>{"d01.txt"}; }));
}

}  // namespace
}  // namespace tallyo::test
