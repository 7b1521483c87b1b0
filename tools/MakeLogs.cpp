// Writes our sample day logs.
//
//   tallyo_make_logs DIR                       the four sample days into DIR
//   tallyo_make_logs --lines N --out FILE [--seed S]
//                                              one day of N lines, for benchmarks and tests

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "SampleDay.h"

namespace {

constexpr std::int64_t kMaxLines = 200'000'000;

int Usage() {
  std::fputs(
      "usage: tallyo_make_logs DIR\n"
      "       tallyo_make_logs --lines N --out FILE [--seed S]\n",
      stderr);
  return 2;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

int WriteSampleDays(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "tallyo_make_logs: cannot create %s: %s\n", dir.c_str(),
                 ec.message().c_str());
    return 1;
  }
  for (const tallyo::SampleDayFile& day : tallyo::SampleDays()) {
    const std::string path = (std::filesystem::path(dir) / day.name).string();
    if (!tallyo::WriteSampleDayFile(day.settings, path)) {
      std::fprintf(stderr, "tallyo_make_logs: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && argv[1][0] != '-') return WriteSampleDays(argv[1]);

  std::int64_t lines = -1;
  std::uint64_t seed = 1;
  std::string out;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (k + 1 >= argc) return Usage();
    const std::string_view value = argv[++k];
    if (arg == "--lines") {
      if (!ParseNumber(value, lines) || lines < 0 || lines > kMaxLines) {
        std::fprintf(stderr, "tallyo_make_logs: --lines wants a count from 0 to %lld\n",
                     static_cast<long long>(kMaxLines));
        return 2;
      }
    } else if (arg == "--seed") {
      if (!ParseNumber(value, seed)) {
        std::fputs("tallyo_make_logs: --seed wants a non-negative integer\n", stderr);
        return 2;
      }
    } else if (arg == "--out") {
      out = value;
    } else {
      return Usage();
    }
  }
  if (lines < 0 || out.empty()) return Usage();
  if (!tallyo::WriteSampleDayFile(tallyo::BenchmarkDay(lines, seed), out)) {
    std::fprintf(stderr, "tallyo_make_logs: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
