// The report program as a user runs it: started REPETITIONS times with the given arguments,
// its table sent to /dev/null, after one run that is not counted (it warms the page
// cache). Prints the medians of the wall-clock time and of the CPU time the program itself
// used (user and system), and its largest peak resident set:
//
//   tallyo_bench_report PROGRAM REPETITIONS ARGUMENTS...
// prints: wall_ms=N cpu_ms=N peak_kb=N runs=N

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Measured {
  double wallMs = 0;
  double cpuMs = 0;
  long peakKb = 0;
};

double Ms(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

// One run, or nothing when the program could not be run or did not end with 0.
bool RunOnce(std::vector<char*>& argv, Measured& m) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int none = ::open("/dev/null", O_WRONLY);
    if (none < 0 || ::dup2(none, STDOUT_FILENO) < 0) ::_exit(126);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  if (child < 0) return false;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child) return false;
  m.wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  m.cpuMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
  m.peakKb = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[(v.size() - 1) / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s PROGRAM REPETITIONS ARGUMENTS...\n", argv[0]);
    return 2;
  }
  std::vector<char*> args(argv + 1, argv + argc);
  args.erase(args.begin() + 1);  // the repetitions
  args.push_back(nullptr);
  const int reps = std::max(1, std::atoi(argv[2]));
  Measured m;
  if (!RunOnce(args, m)) {
    std::fprintf(stderr, "%s did not run\n", argv[1]);
    return 1;
  }
  std::vector<double> wall, cpu;
  long peak = 0;
  for (int i = 0; i < reps; ++i) {
    if (!RunOnce(args, m)) return 1;
    wall.push_back(m.wallMs);
    cpu.push_back(m.cpuMs);
    peak = std::max(peak, m.peakKb);
  }
  std::printf("wall_ms=%.2f cpu_ms=%.2f peak_kb=%ld runs=%d\n", Median(wall), Median(cpu), peak,
              reps);
  return 0;
}
