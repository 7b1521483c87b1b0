// DISPLAY (LoadLog) alone in the Windows edition, and the peak memory of one display.
//
//   tallyo_bench_win_core display PROGRAM_FOLDER FILE_NAME HH:MM HH:MM REPS NAME
//     prints: NAME wall_ms=W cpu_ms=C records=N lines=N  (medians of REPS displays after
//     one outside the clock, which warms the file cache as a user's second look would)
//   tallyo_bench_win_core memory PROGRAM_FOLDER FILE_NAME HH:MM HH:MM
//     prints: idle_ws_kb=N peak_ws_kb=N idle_commit_kb=N peak_commit_kb=N records=N
//     (the process's peak working set and peak private commit, with the viewer's state
//     made, and again after one display)
//
// Every display appends CR LF to the file, so the callers hand it a copy.

#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "WinTiming.h"
#include "log/LoadLog.h"

namespace {

void Cut(const std::string& t, std::string& h, std::string& m) {
  const auto colon = t.find(':');
  h = t.substr(0, colon);
  m = colon == std::string::npos ? "" : t.substr(colon + 1);
}

struct Peaks {
  unsigned long long workingSetKb, commitKb;
};

Peaks PeaksNow() {
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
  return {c.PeakWorkingSetSize / 1024, c.PeakPagefileUsage / 1024};
}

bool Shown(tallyo::DisplayOutcome o) {
  return o == tallyo::DisplayOutcome::kLoaded || o == tallyo::DisplayOutcome::kNoData;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (!((mode == "display" && argc == 8) || (mode == "memory" && argc == 6))) {
    std::fprintf(stderr,
                 "usage: %s display FOLDER FILE HH:MM HH:MM REPS NAME\n"
                 "       %s memory FOLDER FILE HH:MM HH:MM\n",
                 argv[0], argv[0]);
    return 2;
  }
  std::string h1, m1, h2, m2;
  Cut(argv[4], h1, m1);
  Cut(argv[5], h2, m2);
  const tallyo::DisplayRequest request{h1, m1, h2, m2, argv[3], argv[2]};

  // The state is allocated with the window and written all over by a display: touched all
  // so that the idle figures hold it too.
  auto state = std::make_unique<tallyo::DayRecords>();
  for (auto* s : {&state->voltsSeries, &state->ampsSeries, &state->wattsSeries, &state->rpmSeries,
                  &state->timeSeries, &state->speedSeries})
    s->fill(0);
  state->mSeries.fill(0);

  if (mode == "memory") {
    const Peaks idle = PeaksNow();
    const tallyo::DisplayResult r = tallyo::LoadLog(*state, request);
    const Peaks shown = PeaksNow();
    std::printf(
        "idle_ws_kb=%llu peak_ws_kb=%llu idle_commit_kb=%llu peak_commit_kb=%llu records=%d\n",
        idle.workingSetKb, shown.workingSetKb, idle.commitKb, shown.commitKb, state->recordCount);
    return Shown(r.outcome) ? 0 : 1;
  }

  const tallyo::DisplayResult first = tallyo::LoadLog(*state, request);
  if (!Shown(first.outcome)) {
    std::fprintf(stderr, "the display did not end as expected: %s\n", first.message.c_str());
    return 1;
  }
  const int reps = std::max(1, std::atoi(argv[6]));
  tallyo::bench::TimeAndPrint(
      argv[7], reps, [&] { tallyo::LoadLog(*state, request); },
      "records=" + std::to_string(state->recordCount));
  return 0;
}
