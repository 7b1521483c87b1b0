// DISPLAY (LoadLog) alone on a normal day, on a huge one, on a file of nothing but empty
// lines and on a gigabyte of readings outside the window, and `wc -l` on the same big files
// in the same run as the yardstick for reading a file of that size.
//
// Inputs come from the environment (the ./bench script sets them):
//   TALLYO_BENCH_NORMAL  a day logged every 10 s (8,640 lines)
//   TALLYO_BENCH_HUGE    a day of 1,000,000 lines
//   TALLYO_BENCH_EMPTY   25,000,000 empty lines (CR LF only)
//   TALLYO_BENCH_GIGABYTE  a gigabyte of readings, shown through the window 00:00 to 00:00,
//                        which holds none of them
//   TALLYO_BENCH_HUGE_START, TALLYO_BENCH_HUGE_FINISH  the window shown of the huge day,
//                        "HH:MM"; it must keep fewer than 9,999 records
//   TALLYO_BENCH_PIECE   the size of the pieces the file is read in (default: DISPLAY's)

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchSupport.h"
#include "log/LoadLog.h"

namespace tallyo::bench {
namespace {

struct Window {
  std::string h1, m1, h2, m2;
};

Window SplitWindow(const std::string& start, const std::string& finish) {
  auto cut = [](const std::string& t, std::string& h, std::string& m) {
    const auto colon = t.find(':');
    h = t.substr(0, colon);
    m = colon == std::string::npos ? "" : t.substr(colon + 1);
  };
  Window w;
  cut(start, w.h1, w.m1);
  cut(finish, w.h2, w.m2);
  return w;
}

void RunDisplay(benchmark::State& state, const std::string& source, const Window& window,
                DisplayOutcome expected = DisplayOutcome::kLoaded) {
  ScratchDay day(source, "day.txt");
  if (!day.Ok()) {
    state.SkipWithError(("missing input file " + source).c_str());
    return;
  }
  auto records = std::make_unique<DayRecords>();
  const std::size_t piece = std::stoul(EnvOr("TALLYO_BENCH_PIECE", std::to_string(kPieceBytes)));
  const DisplayRequest request{window.h1,  window.m1,    window.h2, window.m2,
                               day.Name(), day.Folder(), piece};
  // One display outside the clock: checks the window and warms the page cache, as a user's
  // second look at the same day would find it.
  const DisplayResult first = LoadLog(*records, request);
  if (first.outcome != expected) {
    state.SkipWithError(("the display did not end as expected: " + first.message).c_str());
    return;
  }
  const auto bytes = day.Bytes();
  for (auto _ : state) {
    DisplayResult r = LoadLog(*records, request);
    benchmark::DoNotOptimize(r);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.counters["records"] = records->recordCount;
}

void BM_LoadLog_NormalDay(benchmark::State& state) {
  RunDisplay(state, EnvOr("TALLYO_BENCH_NORMAL", "normal-day.txt"), {"00", "00", "23", "59"});
}
BENCHMARK(BM_LoadLog_NormalDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLog_HugeDay(benchmark::State& state) {
  RunDisplay(state, EnvOr("TALLYO_BENCH_HUGE", "huge-day.txt"),
             SplitWindow(EnvOr("TALLYO_BENCH_HUGE_START", "12:00"),
                         EnvOr("TALLYO_BENCH_HUGE_FINISH", "12:10")));
}
BENCHMARK(BM_LoadLog_HugeDay)->Unit(benchmark::kMillisecond)->UseRealTime();

// A logger stuck writing CR LF: 25,000,000 empty lines, "No data for that date".
void BM_LoadLog_EmptyLines(benchmark::State& state) {
  RunDisplay(state, EnvOr("TALLYO_BENCH_EMPTY", "empty-lines.txt"), {"00", "00", "23", "59"},
             DisplayOutcome::kNoData);
}
BENCHMARK(BM_LoadLog_EmptyLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// A stray gigabyte of readings (days run together, a disk image of logs): every line is
// looked at, none is kept, "No data for that date".
void BM_LoadLog_Gigabyte(benchmark::State& state) {
  RunDisplay(state, EnvOr("TALLYO_BENCH_GIGABYTE", "gigabyte.txt"), {"00", "00", "00", "00"},
             DisplayOutcome::kNoData);
}
BENCHMARK(BM_LoadLog_Gigabyte)->Unit(benchmark::kMillisecond)->UseRealTime();

// The real `wc -l` on the same bytes, timed around posix_spawn and waitpid.
void RunWcLines(benchmark::State& state, const std::string& source) {
  ScratchDay day(source, "day.txt");
  const std::string wc = EnvOr("TALLYO_BENCH_WC", "/usr/bin/wc");
  if (!day.Ok() || TimeChild(wc, {"wc", "-l", day.Path()}) < 0) {
    state.SkipWithError(("cannot run wc -l on " + source).c_str());
    return;
  }
  for (auto _ : state) {
    const double seconds = TimeChild(wc, {"wc", "-l", day.Path()});
    if (seconds < 0) {
      state.SkipWithError("wc -l failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(day.Bytes()));
}
void BM_WcLines_HugeDay(benchmark::State& state) {
  RunWcLines(state, EnvOr("TALLYO_BENCH_HUGE", "huge-day.txt"));
}
BENCHMARK(BM_WcLines_HugeDay)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WcLines_EmptyLines(benchmark::State& state) {
  RunWcLines(state, EnvOr("TALLYO_BENCH_EMPTY", "empty-lines.txt"));
}
BENCHMARK(BM_WcLines_EmptyLines)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WcLines_Gigabyte(benchmark::State& state) {
  RunWcLines(state, EnvOr("TALLYO_BENCH_GIGABYTE", "gigabyte.txt"));
}
BENCHMARK(BM_WcLines_Gigabyte)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace tallyo::bench

BENCHMARK_MAIN();
