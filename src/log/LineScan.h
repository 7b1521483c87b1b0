#pragma once
// The rules by which the lines of a day file become records: a line whose time lies
// strictly inside the time window is a record, its fields read by the line rules, and a
// record without an M field takes the M value of the record before it. LineScan hands
// each record, in file order, to a sink of the caller's; DISPLAY's sink stores them in the
// series, up to the record limit.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "log/ByteMasks.h"
#include "log/DayRecords.h"
#include "log/LineTime.h"
#include "log/RecordFields.h"

namespace tallyo {

// The first whole second of the day whose time value lies above bound (orEqual: is not
// below it); kSecondsPerDay when none does. Time values grow with the seconds, so a line's
// time lies strictly inside the window exactly when its seconds lie in
// [FirstSecond(start, false), FirstSecond(finish, true)).
inline int FirstSecond(double bound, bool orEqual) {
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

// One pass over the lines of a file, run after run (LineReader.h): what the scan carries
// from line to line (the M value) lives on between the runs of one file. Sink is called as
//   bool sink(double time, const RecordFields& fields, std::int16_t m)
// for each record, m being the record's M value with the carried one in place of a missing
// field; it returns false to end the scan.
//
// The bytes are taken 64 at a time as masks of their CRs and LFs: an LF right after a CR
// ends a line, and the next line starts behind it. Each line is looked at from its start,
// once. A line that begins with "<T>hh:mm:ss</T>" is timed at fixed positions, and one
// outside the window costs no more than that look. A line that begins with any other '<'
// takes the general search over the whole line. A line that begins with anything else
// holds a field only if it holds a '<' somewhere: it is searched for one when its end is
// found, and takes the general search only then. Empty lines are skipped by the masks
// alone.
template <class Sink>
class LineScan {
 public:
  LineScan(const TimeWindow& window, Sink sink)
      : window_(window),
        sink_(std::move(sink)),
        firstSecond_(FirstSecond(window.startTime, false)),
        endSecond_(FirstSecond(window.finishTime, true)) {}

  // The lines of text, each ended by its CR LF but perhaps the last. Returns false once the
  // sink has ended the scan: the rest of the file need not be read.
  bool Run(std::string_view text) {
    text_ = text;
    pending_ = false;
#ifdef TALLYO_BYTE_MASKS_AVX2
    if (HasAvx2()) return RunAvx2();
#endif
    return RunWith<PlainMasks>();
  }

  bool Stopped() const { return stopped_; }

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
    for (std::size_t base = 0; base < size && !stopped_; base += kMaskBytes) {
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
        if (stopped_) break;
        if (pending_) {
          // Its end, when it lies in this block: the first LF of a CR LF after k.
          const std::uint64_t after = ends & ~((std::uint64_t{2} << k) - 1);
          if (after != 0) EndPending(base + static_cast<std::size_t>(std::countr_zero(after)));
        }
      }
    }
    if (pending_ && !stopped_) EndPending(size + 1);
    return !stopped_;
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
    if (!(t > window_.startTime && t < window_.finishTime)) return;
    Keep(t, FieldsOf(line));
  }

  std::string_view LineFrom(std::size_t start) const {
    const std::size_t crlf = text_.find("\r\n", start);
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
    if (fields.m) carriedM_ = *fields.m;
    if (!sink_(t, fields, carriedM_)) stopped_ = true;
  }

  TimeWindow window_;
  Sink sink_;
  std::string_view text_;
  int firstSecond_;
  int endSecond_;
  bool stopped_ = false;
  bool pending_ = false;  // the line at pendingStart_ waits for its end to be found
  std::size_t pendingStart_ = 0;
  std::int16_t carriedM_ = 0;  // the carried M text, held as its value; empty counts as 0
};

}  // namespace tallyo
