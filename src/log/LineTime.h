#pragma once
// The time of one log line, by the rules of its T field, two ways: the general search that
// any line takes, and the shortcut for the line as the logger writes it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace tallyo {

inline constexpr int kSecondsPerDay = 86400;

// The general rule: the value text of the line's T field by the time rule; 0 when the line
// has no T field (a line without one stands at 00:00:00); nullopt when the text is not a
// valid time and the line is passed over.
std::optional<double> LineTime(std::string_view line);

// The shortcut: the seconds since midnight of a line that begins with "<T>hh:mm:ss</T>"
// (two digits each, a valid time of day), -1 for every other line, which then takes
// LineTime. `line` points at the line's first byte and `available` bytes may be read from
// there (the line and whatever follows it). For such a line the open tag is the first of
// the line, and the first close tag is the one at byte 11, since no '<' lies in between,
// so the seconds give exactly LineTime's value: seconds / 86400.
inline int LeadingTimeSeconds(const char* line, std::size_t available) {
  constexpr std::size_t kLength = 15;  // "<T>hh:mm:ss</T>"
  if (available < kLength) return -1;
  const char* p = line;
  if (p[0] != '<' || p[1] != 'T' || p[2] != '>' || p[5] != ':' || p[8] != ':' || p[11] != '<' ||
      p[12] != '/' || p[13] != 'T' || p[14] != '>') {
    return -1;
  }
  // The two digits at p[at] and p[at + 1]; 100 when either is not a digit.
  const auto twoDigits = [p](int at) {
    const unsigned tens = static_cast<unsigned char>(p[at]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(p[at + 1]) - unsigned{'0'};
    return tens > 9 || ones > 9 ? 100u : tens * 10 + ones;
  };
  const unsigned h = twoDigits(3), m = twoDigits(6), s = twoDigits(9);
  if (h > 23 || m > 59 || s > 59) return -1;
  return static_cast<int>(h * 3600 + m * 60 + s);
}

}  // namespace tallyo
