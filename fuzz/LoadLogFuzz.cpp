// The whole DISPLAY command on an arbitrary file body and arbitrary time boxes. The body
// is written into the logs folder of a temporary program folder (in memory where /dev/shm
// is there) and LoadLog reads it from there, and the view follows, exactly as in the viewer.
//
// Input: an optional first line "@H1|M1|H2|M2|REPEAT|NAME|PIECE" sets the four time boxes
// (00, 00, 23, 59 when absent), how many times the body is written one after the other (to
// reach the record limit from a short input; 1 when absent), when NAME is "-", an empty
// file name, and the size of the pieces the file is read in (when absent 1 to 13 bytes, by
// the body's length). Everything after that line (or the whole input) is the file's body.
//
// Each run is checked against a second, plain reading of the same bytes with TagText and
// the text rules: the outcome, the record count, every stored value, the view, the file
// grown by exactly CR LF (by nothing when it ends inside a line), and index 0 of every
// series left at 0.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "chart/DrawGraph.h"
#include "log/LoadLog.h"
#include "log/TagText.h"
#include "platform/TextRules.h"
#include "viewer/ViewerState.h"

namespace {

using tallyo::DisplayOutcome;

// Enough for the record limit with the shortest record lines, and small enough to keep a
// run fast.
constexpr std::size_t kMaxFileSize = 256 << 10;

struct Input {
  std::string_view time1h = "00", time1m = "00", time2h = "23", time2m = "59";
  std::size_t repeat = 1;
  bool noFileName = false;
  std::size_t piece = 0;
  std::string_view body;
};

Input ReadInput(std::string_view data) {
  Input in;
  in.body = data;
  if (data.empty() || data.front() != '@') return in;
  const std::size_t eol = data.find('\n');
  std::string_view header = data.substr(1, eol == std::string_view::npos ? data.npos : eol - 1);
  in.body = eol == std::string_view::npos ? std::string_view() : data.substr(eol + 1);

  std::string_view pieces[7];
  int count = 0;
  for (; count < 7; ++count) {
    const std::size_t bar = header.find('|');
    pieces[count] = header.substr(0, bar);
    if (bar == std::string_view::npos) {
      ++count;
      break;
    }
    header.remove_prefix(bar + 1);
  }
  std::string_view* boxes[] = {&in.time1h, &in.time1m, &in.time2h, &in.time2m};
  for (int i = 0; i < count && i < 4; ++i) *boxes[i] = pieces[i];
  const auto number = [](std::string_view digits) {
    std::size_t n = 0;
    for (char c : digits.substr(0, 5)) {
      if (c >= '0' && c <= '9') n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return n;
  };
  if (count > 4) in.repeat = number(pieces[4]);
  if (count > 5) in.noFileName = pieces[5] == "-";
  if (count > 6) in.piece = number(pieces[6]);
  if (!in.body.empty()) {
    // Repeats serve to reach the record limit; past a few lines more than that, further
    // lines would only make the run slower.
    std::size_t lines = 1;
    for (std::size_t at = in.body.find("\r\n"); at != std::string_view::npos;
         at = in.body.find("\r\n", at + 2)) {
      ++lines;
    }
    in.repeat = std::min({in.repeat, kMaxFileSize / in.body.size(), 10100 / lines + 1});
  }
  if (in.piece == 0) in.piece = 1 + in.body.size() % 13;
  return in;
}

// The temporary program folder: under TALLYO_FUZZ_TMP when set (the fuzz script removes it
// afterwards), else in memory under /dev/shm, else under /tmp.
std::string MakeProgramFolder() {
  const char* chosen = std::getenv("TALLYO_FUZZ_TMP");
  const char* base = chosen && *chosen                 ? chosen
                     : ::access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                                                       : "/tmp";
  std::string pattern = std::string(base) + "/tallyo-fuzz-XXXXXX";
  if (!::mkdtemp(pattern.data())) std::abort();
  if (::mkdir((pattern + "/logs").c_str(), 0700) != 0) std::abort();
  return pattern;
}

const std::string& Folder() {
  static const std::string folder = MakeProgramFolder();
  return folder;
}

void RemoveFolder() {
  ::unlink((Folder() + "/logs/day.txt").c_str());
  ::rmdir((Folder() + "/logs").c_str());
  ::rmdir(Folder().c_str());
}

long long FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

std::optional<double> JoinedTime(std::string_view h, std::string_view m) {
  return tallyo::ParseTimeOfDay(std::string(h) + ":" + std::string(m));
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Folder();
  std::atexit(RemoveFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fresh window state for every input, so that a finding replays from its input alone:
  // made anew in the same storage, which is cheaper than a new allocation every time, and
  // emptied again before returning, so that every allocation of a run is freed within it
  // (libFuzzer takes a run that ends with more allocations than frees for a leak).
  static const auto storage = std::make_unique<tallyo::ViewerState>();
  struct Fresh {
    ~Fresh() {
      storage->~ViewerState();
      new (storage.get()) tallyo::ViewerState();
    }
  } const fresh;
  tallyo::ViewerState* const state = storage.get();
  std::string file;

  const Input in = ReadInput(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string path = Folder() + "/logs/day.txt";
  file.clear();
  for (std::size_t r = 0; r < in.repeat; ++r) file += in.body;
  {
    FILE* f = std::fopen(path.c_str(), "wb");
    TALLYO_FUZZ_CHECK(f != nullptr);
    TALLYO_FUZZ_CHECK(std::fwrite(file.data(), 1, file.size(), f) == file.size());
    std::fclose(f);
  }

  const tallyo::DisplayRequest request{
      in.time1h, in.time1m, in.time2h, in.time2m, in.noFileName ? "" : "day.txt",
      Folder(),  in.piece};
  const tallyo::DisplayResult result = tallyo::LoadLog(*state, request);
  tallyo::ViewAfterDisplay(*state, result.outcome, state->recordCount);
  const long long grown = FileSize(path) - static_cast<long long>(file.size());

  // Index 0 is never written, and the count stays inside the series.
  for (const tallyo::Series* s : {&state->voltsSeries, &state->ampsSeries, &state->wattsSeries,
                                  &state->rpmSeries, &state->timeSeries, &state->speedSeries}) {
    TALLYO_FUZZ_CHECK(Same((*s)[0], 0.0));
  }
  TALLYO_FUZZ_CHECK(state->mSeries[0] == 0);
  TALLYO_FUZZ_CHECK(state->recordCount >= 0 && state->recordCount <= 10000);

  // The refusals before the file, in their order.
  const std::optional<double> start = JoinedTime(in.time1h, in.time1m);
  const std::optional<double> finish = JoinedTime(in.time2h, in.time2m);
  if (!start) {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kBadStartTime);
    TALLYO_FUZZ_CHECK(result.message == tallyo::kBadStartMessage && grown == 0);
    return 0;
  }
  if (!finish) {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kBadFinishTime);
    TALLYO_FUZZ_CHECK(result.message == tallyo::kBadFinishMessage && grown == 0);
    return 0;
  }
  TALLYO_FUZZ_CHECK(Same(state->startTime, *start) && Same(state->finishTime, *finish));
  if (in.noFileName) {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kNoFileChosen);
    TALLYO_FUZZ_CHECK(result.message == tallyo::kNoFileMessage && grown == 0);
    return 0;
  }
  TALLYO_FUZZ_CHECK(result.outcome != DisplayOutcome::kFileError);
  // A file that ends inside a line is its writer's to finish: no CR LF then.
  if (file.empty() || file.back() == '\n') {
    TALLYO_FUZZ_CHECK(grown == 2);
    file += "\r\n";
  } else {
    TALLYO_FUZZ_CHECK(grown == 0);
  }

  // The plain reading: cut at every CR LF, keep the lines whose time lies strictly inside
  // the window, and compare each kept record with what LoadLog stored.
  std::string_view rest = file;
  std::string_view carriedM;
  int kept = 0;
  bool over = false;
  for (;;) {
    const std::size_t cut = rest.find("\r\n");
    const std::string_view line = rest.substr(0, cut);
    if (!over) {
      const std::optional<std::string_view> timeText = tallyo::TagText(line, 'T');
      const std::optional<double> t = timeText ? tallyo::ParseTimeOfDay(*timeText) : 0.0;
      if (t && *t > *start && *t < *finish) {
        if (kept == tallyo::kRecordLimit) {
          over = true;
        } else {
          const int k = ++kept;
          TALLYO_FUZZ_CHECK(Same(state->timeSeries[k], *t));
          const char tags[] = {'V', 'I', 'R', 'W', 'S'};
          const tallyo::Series* series[] = {&state->voltsSeries, &state->ampsSeries,
                                            &state->rpmSeries, &state->wattsSeries,
                                            &state->speedSeries};
          for (int f = 0; f < 5; ++f) {
            const std::optional<std::string_view> text = tallyo::TagText(line, tags[f]);
            const double v = text ? tallyo::ParseNumber(*text).value_or(0) : 0;
            TALLYO_FUZZ_CHECK(Same((*series[f])[k], v));
          }
          if (const std::optional<std::string_view> m = tallyo::TagText(line, 'M')) carriedM = *m;
          TALLYO_FUZZ_CHECK(state->mSeries[k] == tallyo::ParseLogInteger(carriedM));
        }
      }
    }
    if (cut == std::string_view::npos) break;
    rest.remove_prefix(cut + 2);
  }
  TALLYO_FUZZ_CHECK(state->zoomState == 0);

  if (over) {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kRecordLimit);
    TALLYO_FUZZ_CHECK(result.message == tallyo::kRecordLimitMessage);
    TALLYO_FUZZ_CHECK(state->recordCount == 10000);
    TALLYO_FUZZ_CHECK(state->viewStart == 0 && state->viewEnd == 0);
  } else if (kept == 0) {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kNoData);
    TALLYO_FUZZ_CHECK(result.message == tallyo::kNoDataMessage);
    TALLYO_FUZZ_CHECK(state->recordCount == 0);
    TALLYO_FUZZ_CHECK(state->viewStart == 0 && state->viewEnd == 0);
  } else {
    TALLYO_FUZZ_CHECK(result.outcome == DisplayOutcome::kLoaded && result.message.empty());
    TALLYO_FUZZ_CHECK(state->recordCount == kept);
    TALLYO_FUZZ_CHECK(state->viewStart == 1 && state->viewEnd == kept);
  }
  return 0;
}
