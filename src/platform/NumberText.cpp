#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace tallyo {

namespace {

// What a value that is no number shows, so a broken reading is visible rather than a crash
// or a made-up figure.
std::string NonFiniteText(double v) {
  if (std::isnan(v)) return "NaN";
  return v > 0 ? "Inf" : "-Inf";
}

// The text of to_chars in the user's notation: each '.' becomes the decimal mark and each
// '-' the minus sign (also an exponent's, which the rounded texts never show in practice).
std::string InNotation(std::string_view text, const NumberFormat& format) {
  if (format.decimalMark == "." && format.minusSign == "-") return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '.') {
      out += format.decimalMark;
    } else if (c == '-') {
      out += format.minusSign;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

// std::to_chars is locale-free (the decimal mark is always '.') and rounds the exact binary
// value, ties to even, as printf does: 0.125 under "#0.00" gives 0.12, 0.375 gives 0.38.
std::string FormatPattern(double v, NumberPattern pattern, const NumberFormat& format) {
  if (!std::isfinite(v)) return InNotation(NonFiniteText(v), format);
  // The largest double has 309 digits before the point.
  char buf[330];
  const auto result =
      std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, static_cast<int>(pattern));
  std::string_view text(buf, result.ptr - buf);
  // A value that shows as zero ("-0.00", "-0") shows no minus sign.
  if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string_view::npos) {
    text.remove_prefix(1);
  }
  return InNotation(text, format);
}

std::string ShortTime(double dayFraction) {
  // The time part of a date value: its fraction of a day, of the magnitude for a negative
  // date as dates before the epoch count it.
  double t = std::fabs(dayFraction);
  if (!std::isfinite(t)) t = 0;
  const double fraction = t - std::floor(t);
  // 18:30:00 held as 18.5 / 24 is not exact; rounding to the whole second first keeps it
  // from showing 18:29. Only then are the seconds dropped.
  long seconds = std::lround(fraction * 86400.0);
  if (seconds >= 86400) seconds -= 86400;
  const long hours = seconds / 3600;
  const long minutes = seconds % 3600 / 60;
  const char text[5] = {static_cast<char>('0' + hours / 10), static_cast<char>('0' + hours % 10),
                        ':', static_cast<char>('0' + minutes / 10),
                        static_cast<char>('0' + minutes % 10)};
  return std::string(text, sizeof text);
}

std::string PlainNumber(double v, const NumberFormat& format) {
  if (!std::isfinite(v)) return InNotation(NonFiniteText(v), format);
  if (v == 0) return "0";  // also for -0
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  for (char* c = buf; c != result.ptr; ++c) {
    if (*c == 'e') *c = 'E';
  }
  return InNotation(std::string_view(buf, result.ptr - buf), format);
}

}  // namespace tallyo
