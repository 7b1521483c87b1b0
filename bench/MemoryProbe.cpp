// The memory of one DISPLAY: prints the maximum resident set of this process with the
// viewer's state made (the idle program) and again after one display of the given day, and
// the resident set after the display.
//
//   tallyo_bench_memory PROGRAM_FOLDER FILE_NAME HH:MM HH:MM
// prints: idle_kb=N display_kb=N after_kb=N file_bytes=N records=N outcome=N

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "log/LoadLog.h"

namespace {

// The resident set now, from /proc/self/statm.
long RssKb() {
  long pages = 0, resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long MaxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

void Cut(const std::string& t, std::string& h, std::string& m) {
  const auto colon = t.find(':');
  h = t.substr(0, colon);
  m = colon == std::string::npos ? "" : t.substr(colon + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER FILE_NAME HH:MM HH:MM\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1], name = argv[2];
  std::string h1, m1, h2, m2;
  Cut(argv[3], h1, m1);
  Cut(argv[4], h2, m2);

  // The state is allocated with the window and written all over by a display: touch it
  // all so that the idle figure holds it too.
  auto state = std::make_unique<tallyo::DayRecords>();
  for (auto* s : {&state->voltsSeries, &state->ampsSeries, &state->wattsSeries, &state->rpmSeries,
                  &state->timeSeries, &state->speedSeries})
    s->fill(0);
  state->mSeries.fill(0);
  const long idle = MaxRssKb();
  const long idleNow = RssKb();

  std::error_code ec;
  const auto bytes = std::filesystem::file_size(folder + "/logs/" + name, ec);
  const tallyo::DisplayRequest request{h1, m1, h2, m2, name, folder};
  const tallyo::DisplayResult result = tallyo::LoadLog(*state, request);
  const long display = MaxRssKb();
  const long after = RssKb() - idleNow + idle;

  std::printf("idle_kb=%ld display_kb=%ld after_kb=%ld file_bytes=%llu records=%d outcome=%d\n",
              idle, display, after, static_cast<unsigned long long>(ec ? 0 : bytes),
              state->recordCount, static_cast<int>(result.outcome));
  return result.outcome == tallyo::DisplayOutcome::kLoaded ||
                 result.outcome == tallyo::DisplayOutcome::kNoData
             ? 0
             : 1;
}
