#pragma once
// Plain timing for the Windows edition's benchmarks, which run under Wine where Google
// Benchmark is not at hand: the wall clock (QueryPerformanceCounter) and this process's
// own CPU time (GetProcessTimes), over a few repetitions, one result line each:
//   NAME wall_ms=W cpu_ms=C [key=value ...]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tallyo::bench {

inline double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / perMs;
}

// User and kernel time of this process so far.
inline double CpuMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                               f.dwLowDateTime) /
           10000.0;  // 100 ns units
  };
  return ms(kernel) + ms(user);
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[(v.size() - 1) / 2];
}

// Runs body reps times and prints the median wall time of one run and the mean CPU time
// of one run (Wine counts a process's CPU time in ticks of several milliseconds, too
// coarse to time one short run).
template <typename Body>
void TimeAndPrint(const char* name, int reps, Body body, const std::string& extra = "") {
  std::vector<double> wall;
  const double c0 = CpuMs();
  for (int i = 0; i < reps; ++i) {
    const double t0 = NowMs();
    body();
    wall.push_back(NowMs() - t0);
  }
  const double cpu = (CpuMs() - c0) / reps;
  std::printf("%s wall_ms=%.4f cpu_ms=%.4f%s%s\n", name, Median(wall), cpu,
              extra.empty() ? "" : " ", extra.c_str());
  std::fflush(stdout);
}

}  // namespace tallyo::bench
