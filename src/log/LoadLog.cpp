#include "log/LoadLog.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "log/ByteMasks.h"
#include "log/LineReader.h"
#include "log/LineTime.h"
#include "log/RecordFields.h"
#include "platform/Files.h"
#include "platform/Path.h"
#include "platform/TextRules.h"

namespace tallyo {

namespace {

std::optional<double> JoinedTime(std::string_view hours, std::string_view minutes) {
  return ParseTimeOfDay(std::string(hours) + ':' + std::string(minutes));
}

// The position of the CR of the first CR LF at or after from, or npos.
std::size_t FindCrLf(std::string_view text, std::size_t from) {
  const char* data = text.data();
  std::size_t pos = from;
  while (pos < text.size()) {
    const void* lf = std::memchr(data + pos, '\n', text.size() - pos);
    if (!lf) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    if (at > from && data[at - 1] == '\r') return at - 1;
    pos = at + 1;  // a lone LF is part of the line
  }
  return std::string_view::npos;
}

// The first whole second of the day whose time value lies above bound (orEqual: is not
// below it); kSecondsPerDay when none does. Time values grow with the seconds, so a line's
// time lies strictly inside the window exactly when its seconds lie in
// [FirstSecond(start, false), FirstSecond(finish, true)).
int FirstSecond(double bound, bool orEqual) {
  const auto taken = [&](int s) {
    const double t = s / double{kSecondsPerDay};
    return orEqual ? !(t < bound) : t > bound;
  };
  int s = 0;
  if (bound >= 0) s = static_cast<int>(std::min(bound * kSecondsPerDay, double{kSecondsPerDay}));
  while (s > 0 && taken(s - 1)) --s;
  while (s < kSecondsPerDay && !taken(s)) ++s;
  return s;
}

// One pass over a run of whole lines: examines each line by the rules and stores the records
// that lie inside the window. The runs of one file come one after the other (LineReader.h);
// what a display carries from line to line (the count, the M text) lives on between them.
//
// The bytes are taken 64 at a time as masks of their CRs and LFs: an LF right after a CR
// ends a line, and the next line starts behind it. Each line is looked at from its start,
// once. A line that begins with "<T>hh:mm:ss</T>" is timed at fixed positions, and one
// outside the window costs no more than that look. A line that begins with any other '<'
// takes the general search over the whole line. A line that begins with anything else
// holds a field only if it holds a '<' somewhere: it is searched for one when its end is
// found, and takes the general search only then. Empty lines are skipped by the masks
// alone.
class Scan {
 public:
  explicit Scan(ViewerState& state)
      : state_(state),
        firstSecond_(FirstSecond(state.startTime, false)),
        endSecond_(FirstSecond(state.finishTime, true)) {}

  // The lines of text, each ended by its CR LF but perhaps the last. Returns false once the
  // record limit is reached: the rest of the file need not be read.
  bool Run(std::string_view text) {
    text_ = text;
    pending_ = false;
#ifdef TALLYO_BYTE_MASKS_AVX2
    if (HasAvx2()) return RunAvx2();
#endif
    return RunWith<PlainMasks>();
  }

  int Count() const { return count_; }
  bool LimitReached() const { return limitReached_; }

 private:
#ifdef TALLYO_BYTE_MASKS_AVX2
  // The whole pass compiled for AVX2, the masks inlined into it.
  [[gnu::target("avx2"), gnu::flatten]] bool RunAvx2() { return RunWith<Avx2Masks>(); }
#endif

  template <class Masks>
  [[gnu::always_inline]] bool RunWith() {
    const char* data = text_.data();
    const std::size_t size = text_.size();
    std::uint64_t crBefore = 0;   // 1 when the byte before this block is a CR
    std::uint64_t startNext = 1;  // 1 when a line starts at this block's first byte
    alignas(16) char last[kMaskBytes];
    for (std::size_t base = 0; base < size && !limitReached_; base += kMaskBytes) {
      const char* p = data + base;
      if (size - base < kMaskBytes) {
        // The last bytes, padded with NULs (none of them a byte looked for).
        std::memset(last, 0, sizeof last);
        std::memcpy(last, p, size - base);
        p = last;
      }
      const LineEnds m = Masks::Of(p);
      const std::uint64_t ends = m.lf & ((m.cr << 1) | crBefore);  // the LF of each CR LF
      crBefore = m.cr >> 63;
      // The lines that start in this block, but those that end at once (a CR LF of their
      // own; one whose LF lies in the next block is left to Start).
      std::uint64_t starts = ((ends << 1) | startNext) & ~(m.cr & (m.lf >> 1));
      startNext = ends >> 63;

      if (pending_ && ends != 0)
        EndPending(base + static_cast<std::size_t>(std::countr_zero(ends)));
      while (starts != 0) {
        const int k = std::countr_zero(starts);
        starts &= starts - 1;
        Start(base + static_cast<std::size_t>(k));
        if (limitReached_) break;
        if (pending_) {
          // Its end, when it lies in this block: the first LF of a CR LF after k.
          const std::uint64_t after = ends & ~((std::uint64_t{2} << k) - 1);
          if (after != 0) EndPending(base + static_cast<std::size_t>(std::countr_zero(after)));
        }
      }
    }
    if (pending_ && !limitReached_) EndPending(size + 1);
    return !limitReached_;
  }

  // The line that starts at start.
  void Start(std::size_t start) {
    const std::size_t size = text_.size();
    if (start >= size) return;  // the empty line after the last CR LF
    const char* p = text_.data() + start;
    if (*p == '<') {
      const int seconds = LeadingTimeSeconds(p, size - start);
      if (seconds >= 0) {
        if (seconds < firstSecond_ || seconds >= endSecond_) return;
        KeepLogged(seconds / double{kSecondsPerDay}, start);
        return;
      }
      Examine(start);
      return;
    }
    if (*p == '\r' && start + 1 < size && p[1] == '\n') return;  // an empty line
    pending_ = true;
    pendingStart_ = start;
  }

  // The pending line ends with the LF at lf (the byte before it is its CR): it is examined
  // when it holds a '<'. The text's last line ends at its size, given as size + 1.
  void EndPending(std::size_t lf) {
    pending_ = false;
    const std::size_t length = lf - 1 - pendingStart_;
    if (std::memchr(text_.data() + pendingStart_, '<', length) != nullptr) Examine(pendingStart_);
  }

  // The general rules, for the line that starts at start.
  void Examine(std::size_t start) {
    const std::string_view line = LineFrom(start);
    const std::optional<double> time = LineTime(line);
    if (!time) return;
    const double t = *time;
    if (!(t > state_.startTime && t < state_.finishTime)) return;
    Keep(t, FieldsOf(line));
  }

  std::string_view LineFrom(std::size_t start) const {
    const std::size_t crlf = FindCrLf(text_, start);
    return text_.substr(start, (crlf == std::string_view::npos ? text_.size() : crlf) - start);
  }

  // A line that began with "<T>hh:mm:ss</T>" at start: its fields by the shortcut when
  // they are laid out as the logger writes them, else by the general rules.
  void KeepLogged(double t, std::size_t start) {
    constexpr std::size_t kTimeField = 15;
    const std::size_t from = start + kTimeField;
    RecordFields fields;
    if (!LoggedFields(text_.data() + from, text_.size() - from, fields)) {
      fields = FieldsOf(LineFrom(start));
    }
    Keep(t, fields);
  }

  void Keep(double t, const RecordFields& fields) {
    if (count_ + 1 > kRecordLimit) {
      limitReached_ = true;
      return;
    }
    const int k = ++count_;
    state_.timeSeries[k] = t;
    state_.voltsSeries[k] = fields.volts;
    state_.ampsSeries[k] = fields.amps;
    state_.rpmSeries[k] = fields.rpm;
    state_.wattsSeries[k] = fields.watts;
    state_.speedSeries[k] = fields.speed;
    if (fields.m) carriedM_ = *fields.m;
    state_.mSeries[k] = carriedM_;
  }

  ViewerState& state_;
  std::string_view text_;
  int firstSecond_;
  int endSecond_;
  int count_ = 0;
  bool limitReached_ = false;
  bool pending_ = false;  // the line at pendingStart_ waits for its end to be found
  std::size_t pendingStart_ = 0;
  std::int16_t carriedM_ = 0;  // the carried M text, held as its value; empty counts as 0
};

// DISPLAY's one change to a file: an empty line at its end. A file that does not end in LF
// is in the middle of a line that its writer has not finished yet; that line's end is the
// writer's to add, so nothing is appended, and the unfinished line is read as the last
// line, just as it would be with the empty line behind it. The look at the last byte and
// the append follow each other at once: a writer that adds part of a line in between is
// the one case left (docs/DEVELOPING.md).
Failure AppendEmptyLine(LogFile& file) {
  std::optional<char> last;
  if (Failure failure = file.LastByte(last)) return failure;
  if (last && *last != '\n') return std::nullopt;
  return file.Append("\r\n");
}

}  // namespace

std::string LogFilePath(std::string_view programFolder, std::string_view fileName) {
  return JoinPath(JoinPath(programFolder, "logs"), fileName);
}

DisplayResult LoadLog(ViewerState& state, const DisplayRequest& request) {
  const std::optional<double> start = JoinedTime(request.time1h, request.time1m);
  if (!start) return {DisplayOutcome::kBadStartTime, std::string(kBadStartMessage)};
  const std::optional<double> finish = JoinedTime(request.time2h, request.time2m);
  if (!finish) return {DisplayOutcome::kBadFinishTime, std::string(kBadFinishMessage)};
  state.startTime = *start;
  state.finishTime = *finish;

  // Only the empty caption means "no file"; blanks are a file name like any other.
  if (request.fileName.empty()) return {DisplayOutcome::kNoFileChosen, std::string(kNoFileMessage)};

  LogFile file;
  Failure failure = file.OpenToAppend(LogFilePath(request.programFolder, request.fileName));
  if (!failure) failure = AppendEmptyLine(file);
  if (failure) return {DisplayOutcome::kFileError, std::move(*failure)};

  state.recordCount = 0;
  state.zoomState = 0;
  Scan scan(state);
  // A day that cannot be read to its end (a failing disk, too little memory for one of its
  // lines) keeps no records: recordCount stays 0.
  failure = ReadLines(file, request.pieceBytes,
                      [&scan](std::string_view lines) { return scan.Run(lines); });
  if (failure) return {DisplayOutcome::kFileError, std::move(*failure)};
  const int count = scan.Count();
  if (scan.LimitReached()) {
    state.recordCount = kRecordLimit + 1;
    return {DisplayOutcome::kRecordLimit, std::string(kRecordLimitMessage)};
  }
  state.recordCount = static_cast<std::int16_t>(count);
  if (count == 0) return {DisplayOutcome::kNoData, std::string(kNoDataMessage)};
  state.viewStart = 1;
  state.viewEnd = count;
  return {DisplayOutcome::kLoaded, std::string()};
}

}  // namespace tallyo
