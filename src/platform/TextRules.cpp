#include "platform/TextRules.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/Rounding.h"

namespace tallyo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return text.substr(b, text.find_last_not_of(" \t") + 1 - b);
}

// One or two digits at pos, at most maxValue; advances pos past them.
bool ReadTimePart(std::string_view s, std::size_t& pos, int maxValue, int& value) {
  if (pos >= s.size() || !IsDigit(s[pos])) return false;
  value = s[pos++] - '0';
  if (pos < s.size() && IsDigit(s[pos])) value = value * 10 + (s[pos++] - '0');
  return value <= maxValue;
}

}  // namespace

std::optional<double> ParseTimeOfDay(std::string_view text) {
  const std::string_view s = TrimBlanks(text);
  std::size_t pos = 0;
  int h = 0;
  int m = 0;
  int sec = 0;
  if (!ReadTimePart(s, pos, 23, h)) return std::nullopt;
  if (pos >= s.size() || s[pos++] != ':') return std::nullopt;
  if (!ReadTimePart(s, pos, 59, m)) return std::nullopt;
  if (pos < s.size()) {
    if (s[pos++] != ':') return std::nullopt;
    if (!ReadTimePart(s, pos, 59, sec)) return std::nullopt;
    if (pos != s.size()) return std::nullopt;
  }
  // Whole seconds over one divisor: a typed bound and a logged time naming the same
  // second compare equal.
  return (h * 3600 + m * 60 + sec) / 86400.0;
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  // The shape is checked by hand: from_chars alone would also take "inf" and "nan", and
  // it refuses a leading '+'.
  std::size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  const std::size_t mantissaStart = pos;
  // Decimal order of the first non-zero digit, to tell overflow from underflow below.
  std::int64_t order = 0;
  bool nonZeroSeen = false;
  std::size_t digits = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    if (nonZeroSeen) {
      ++order;
    } else if (s[pos] != '0') {
      nonZeroSeen = true;
      order = 1;
    }
    ++digits;
    ++pos;
  }
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    while (pos < s.size() && IsDigit(s[pos])) {
      if (!nonZeroSeen) {
        if (s[pos] != '0') {
          nonZeroSeen = true;
        } else {
          --order;
        }
      }
      ++digits;
      ++pos;
    }
  }
  if (digits == 0) return std::nullopt;
  std::int64_t exponent = 0;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    bool negativeExponent = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negativeExponent = s[pos++] == '-';
    const std::size_t exponentStart = pos;
    while (pos < s.size() && IsDigit(s[pos])) {
      // Saturate: only the sign of order + exponent matters once it is this large.
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[pos] - '0');
      ++pos;
    }
    if (pos == exponentStart) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (pos != s.size()) return std::nullopt;

  const char* first = s.data() + mantissaStart;
  if (negative) --first;  // from_chars takes '-' but not '+'
  double value = 0;
  const auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    if (nonZeroSeen && order + exponent > 0) return std::nullopt;  // beyond a double
    return negative ? -0.0 : 0.0;                                  // too small: zero
  }
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return value;
}

std::int16_t ParseLogInteger(std::string_view text) {
  if (const std::optional<double> v = ParseNumber(text)) return ToInt16HalfEven(*v).value_or(0);
  return 0;
}

std::optional<std::int16_t> ParseIntervalText(std::string_view text) {
  const std::optional<double> v = ParseNumber(text);
  if (!v) return std::nullopt;
  return ToInt16HalfEven(*v);
}

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";            // U+00A0
constexpr std::string_view kNarrowNoBreakSpace = "\xE2\x80\xAF";  // U+202F

// Reads what stands at pos: one of the spellings, advancing pos past it.
bool ReadMark(std::string_view s, std::size_t& pos, std::string_view mark) {
  if (mark.empty() || s.substr(pos, mark.size()) != mark) return false;
  pos += mark.size();
  return true;
}

bool ReadGroupSeparator(std::string_view s, std::size_t& pos, std::string_view separator) {
  if (ReadMark(s, pos, separator)) return true;
  // A no-break space is typed as a plain one, and the system data of one edition or version
  // has the narrow one where another has the wide one.
  if (separator == kNoBreakSpace || separator == kNarrowNoBreakSpace) {
    return ReadMark(s, pos, kNoBreakSpace) || ReadMark(s, pos, kNarrowNoBreakSpace) ||
           ReadMark(s, pos, " ");
  }
  return false;
}

// '+', '-' or the format's minus sign, copied as the number rule spells it.
void ReadSign(std::string_view s, std::size_t& pos, const NumberFormat& format, std::string& out) {
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    out += s[pos++];
  } else if (ReadMark(s, pos, format.minusSign)) {
    out += '-';
  }
}

std::size_t CopyDigits(std::string_view s, std::size_t& pos, std::string& out) {
  const std::size_t start = pos;
  while (pos < s.size() && IsDigit(s[pos])) out += s[pos++];
  return pos - start;
}

// The text as the number rule spells it (grouping taken out, a point, '-'), or nothing when
// it breaks the notation.
std::optional<std::string> PlainSpelling(std::string_view text, const NumberFormat& format) {
  const std::string_view s = TrimBlanks(text);
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  ReadSign(s, pos, format, out);

  std::size_t group = CopyDigits(s, pos, out);
  bool grouped = false;
  while (ReadGroupSeparator(s, pos, format.groupSeparator)) {
    // Every group but the last is checked when a separator follows it; the last below.
    if (grouped ? group != 3 : (group == 0 || group > 3)) return std::nullopt;
    grouped = true;
    group = CopyDigits(s, pos, out);
  }
  if (grouped && group != 3) return std::nullopt;

  if (ReadMark(s, pos, format.decimalMark)) {
    out += '.';
    CopyDigits(s, pos, out);
  }
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    out += s[pos++];
    ReadSign(s, pos, format, out);
    CopyDigits(s, pos, out);
  }
  // Whatever is left (a point that is not the decimal mark here, a second mark, a letter)
  // makes the text no number.
  if (pos != s.size()) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::int16_t> ParseIntervalText(std::string_view text, const NumberFormat& format) {
  if (format == NumberFormat{}) return ParseIntervalText(text);
  const std::optional<std::string> plain = PlainSpelling(text, format);
  if (!plain) return std::nullopt;
  return ParseIntervalText(*plain);
}

}  // namespace tallyo
