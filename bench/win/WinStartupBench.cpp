// Start-up of the Windows edition as a user meets it: Tallyo_viewer.exe started as a
// process of its own (beside its logs folder) until its viewer window (class TallyoGraph)
// is shown and painted: visible, the process idle for input, nothing left to paint in the
// window or its chart. Then the viewer and the start window are closed as a user closes
// them, and the process must end.
//
//   tallyo_bench_win_startup PATH_TO_Tallyo_viewer.exe REPS
//     prints: BM_Win_StartUp wall_ms=W failed=N  (the median of REPS starts after one
//     outside the clock, so that Wine's own start is not in it)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WinTiming.h"

namespace {

constexpr int kPlotId = 110;
constexpr double kGiveUpMs = 10000;

struct Found {
  DWORD process;
  const wchar_t* className;
  HWND hwnd;
};

BOOL CALLBACK FindOfProcess(HWND hwnd, LPARAM param) {
  auto& f = *reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (process == f.process && lstrcmpW(name, f.className) == 0 && IsWindowVisible(hwnd)) {
    f.hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The process's visible top-level window of that class, waited for; nullptr on time-out.
HWND WaitForWindow(DWORD process, const wchar_t* className, double sinceMs) {
  for (;;) {
    Found f{process, className, nullptr};
    EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) return f.hwnd;
    if (tallyo::bench::NowMs() - sinceMs > kGiveUpMs) return nullptr;
    Sleep(1);
  }
}

bool Painted(HWND window) {
  HWND plot = GetDlgItem(window, kPlotId);
  return !GetUpdateRect(window, nullptr, FALSE) && plot && !GetUpdateRect(plot, nullptr, FALSE);
}

// One start; the time to the painted viewer in ms, or a negative value on failure.
double StartOnce(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  const double t0 = tallyo::bench::NowMs();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &si, &pi)) {
    return -1;
  }
  double shown = -1;
  WaitForInputIdle(pi.hProcess, static_cast<DWORD>(kGiveUpMs));
  if (HWND graph = WaitForWindow(pi.dwProcessId, L"TallyoGraph", t0)) {
    while (!Painted(graph) && tallyo::bench::NowMs() - t0 < kGiveUpMs) Sleep(1);
    if (Painted(graph)) shown = tallyo::bench::NowMs() - t0;
    PostMessageW(graph, WM_CLOSE, 0, 0);
    if (HWND front = WaitForWindow(pi.dwProcessId, L"TallyoFrontpiece", tallyo::bench::NowMs())) {
      PostMessageW(front, WM_CLOSE, 0, 0);
    }
  }
  if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(kGiveUpMs)) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    shown = -1;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return shown;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tallyo_bench_win_startup PATH_TO_Tallyo_viewer.exe REPS\n");
    return 2;
  }
  wchar_t full[MAX_PATH];
  wchar_t* namePart = nullptr;
  if (!GetFullPathNameW(argv[1], MAX_PATH, full, &namePart) || !namePart) return 2;
  const std::wstring exe = full;
  const std::wstring folder = exe.substr(0, static_cast<std::size_t>(namePart - full));
  const int reps = std::max(1, _wtoi(argv[2]));
  if (StartOnce(exe, folder) < 0) {
    std::fprintf(stderr, "the viewer did not come up painted\n");
    return 1;
  }
  int failed = 0;
  std::vector<double> times;
  for (int i = 0; i < reps; ++i) {
    const double t = StartOnce(exe, folder);
    if (t < 0) {
      ++failed;
    } else {
      times.push_back(t);
    }
  }
  if (times.empty()) return 1;
  std::printf("BM_Win_StartUp wall_ms=%.4f failed=%d\n", tallyo::bench::Median(times), failed);
  return failed == 0 ? 0 : 1;
}
