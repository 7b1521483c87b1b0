// The viewer window of the Windows edition on its Win32 controls: a full redraw of 9,999
// records on the real picture box, and the whole click on a day in the file list through
// to the chart painted. Needs a display (under Wine, an X server such as Xvfb).
//
//   tallyo_bench_win_gui redraw REPS
//     prints: BM_Win_DrawGraph_9999 wall_ms=W cpu_ms=C
//   tallyo_bench_win_gui click PROGRAM_FOLDER REPS
//     prints: BM_Win_File1Click wall_ms=W cpu_ms=C records=N
//     (PROGRAM_FOLDER/logs holds the one day clicked)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BusyState.h"
#include "FileListBox.h"
#include "PictureBox.h"
#include "WinTiming.h"
#include "chart/DrawGraph.h"
#include "viewer/Graph.h"

namespace tallyo::bench {
namespace {

constexpr int kPlotId = 110;  // the control IDs of the viewer's layout
constexpr int kFile1Id = 102;

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// DrawGraph on the viewer's own picture box, every pending stroke rendered into its
// bitmap, as the Linux row times it.
int Redraw(int reps) {
  Graph graph;
  graph.Show();
  PumpMessages();
  auto* plot = graph.Find<PictureBox>("Plot");
  if (!plot) return 1;
  auto s = BusyState();
  QuietRedraw redraw;
  redraw(*s, *plot);
  TimeAndPrint("BM_Win_DrawGraph_9999", reps, [&] {
    redraw(*s, *plot);
    const std::uint32_t* pixels = plot->Pixels();
    if (!pixels) std::abort();
  });
  return 0;
}

// The mouse pressed and released on the list's first entry, as the user clicks it (a
// click on the entry already chosen shows the day again), then the messages that follow,
// the chart's paint among them.
int Click(const std::string& folder, int reps) {
  Graph graph(folder);
  graph.Show();
  PumpMessages();
  HWND list = GetDlgItem(graph.Handle(), kFile1Id);
  HWND plot = GetDlgItem(graph.Handle(), kPlotId);
  RECT r{};
  if (!list || !plot ||
      SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
    return 1;
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  int unpainted = 0;
  auto click = [&] {
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    PumpMessages();
    if (GetUpdateRect(plot, nullptr, FALSE)) ++unpainted;
  };
  click();
  if (graph.State().recordCount < 2) {
    std::fprintf(stderr, "the click did not display the day\n");
    return 1;
  }
  TimeAndPrint("BM_Win_File1Click", reps, click,
               "records=" + std::to_string(graph.State().recordCount));
  if (unpainted != 0) {
    std::fprintf(stderr, "the chart was left unpainted after %d clicks\n", unpainted);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tallyo::bench

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "redraw" && argc == 3) return tallyo::bench::Redraw(std::max(1, std::atoi(argv[2])));
  if (mode == "click" && argc == 4) {
    return tallyo::bench::Click(argv[2], std::max(1, std::atoi(argv[3])));
  }
  std::fprintf(stderr, "usage: %s redraw REPS | click PROGRAM_FOLDER REPS\n", argv[0]);
  return 2;
}
