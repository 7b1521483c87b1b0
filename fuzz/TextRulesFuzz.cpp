// Arbitrary bytes through the search for a tagged field and the text rules: the time of
// day, decimal numbers, the M integer and the Interval box's number. Each result is checked
// against the rule as the program's headers state it, written out here a second, plain way.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "log/RecordLine.h"
#include "log/TagText.h"
#include "platform/NumberFormat.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "platform/TextRules.h"

namespace {

using tallyo::ParseIntervalText;
using tallyo::ParseLogInteger;
using tallyo::ParseNumber;
using tallyo::ParseTimeOfDay;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// One or two digits at the front of s, taken off; -1 when there are none.
int TakeField(std::string_view& s) {
  int digits = 0, value = 0;
  while (digits < 2 && !s.empty() && IsDigit(s.front())) {
    value = value * 10 + (s.front() - '0');
    s.remove_prefix(1);
    ++digits;
  }
  return digits == 0 ? -1 : value;
}

// H:M or H:M:S, 0..23, 0..59, 0..59, one or two digits each, blanks around the whole text.
std::optional<int> SecondsOfDay(std::string_view text) {
  std::string_view s = Trim(text);
  const int h = TakeField(s);
  if (h < 0 || h > 23 || s.empty() || s.front() != ':') return std::nullopt;
  s.remove_prefix(1);
  const int m = TakeField(s);
  if (m < 0 || m > 59) return std::nullopt;
  int sec = 0;
  if (!s.empty()) {
    if (s.front() != ':') return std::nullopt;
    s.remove_prefix(1);
    sec = TakeField(s);
    if (sec < 0 || sec > 59) return std::nullopt;
  }
  if (!s.empty()) return std::nullopt;
  return h * 3600 + m * 60 + sec;
}

// Optional sign, digits with an optional '.' and fraction (one digit at least), optional
// exponent with its own optional sign and digits; blanks around the whole text.
bool ReadsAsNumber(std::string_view text) {
  std::string_view s = Trim(text);
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

// The C library's reading of a text that ReadsAsNumber accepted (no locale is set, so the
// decimal mark is '.'); outOfRange when it overflowed or underflowed.
double LibraryValue(std::string_view text, bool& outOfRange) {
  const std::string s(Trim(text));
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  outOfRange = errno == ERANGE;
  TALLYO_FUZZ_CHECK(end == s.c_str() + s.size());
  return v;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// v rounded half to even if it fits 16 bits.
std::optional<std::int16_t> Int16HalfEven(double v) {
  const double r = std::nearbyint(v);  // the default rounding mode: halves to even
  if (!(r >= -32768 && r <= 32767)) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

void CheckTagText(std::string_view line) {
  const tallyo::RecordLine record(line);
  for (char tag : {'T', 'V', 'I', 'R', 'W', 'S', 'M', 'X', '<', '/'}) {
    const std::string open = std::string("<") + tag + ">";
    const std::string close = std::string("</") + tag + ">";
    const std::size_t p = line.find(open);
    const std::size_t q = line.find(close);
    std::optional<std::string_view> expected;
    if (p != std::string_view::npos && q != std::string_view::npos && q >= p + 3) {
      expected = line.substr(p + 3, q - p - 3);
    }
    const std::optional<std::string_view> got = tallyo::TagText(line, tag);
    TALLYO_FUZZ_CHECK(got.has_value() == expected.has_value());
    if (got) {
      // The same characters, and a view into the line itself.
      TALLYO_FUZZ_CHECK(got->data() == expected->data() && got->size() == expected->size());
    }
    if (std::string_view("TVIRWSM").find(tag) != std::string_view::npos) {
      const std::optional<std::string_view> field = record.Field(tag);
      TALLYO_FUZZ_CHECK(field.has_value() == got.has_value());
      if (field) TALLYO_FUZZ_CHECK(field->data() == got->data() && field->size() == got->size());
    }
  }
}

void CheckTime(std::string_view text) {
  const std::optional<double> got = ParseTimeOfDay(text);
  const std::optional<int> seconds = SecondsOfDay(text);
  TALLYO_FUZZ_CHECK(got.has_value() == seconds.has_value());
  if (got) {
    // Equal times give equal values: the one division of the rule.
    TALLYO_FUZZ_CHECK(SameDouble(*got, *seconds / 86400.0));
    TALLYO_FUZZ_CHECK(*got >= 0 && *got < 1);
  }
}

void CheckNumbers(std::string_view text) {
  const std::optional<double> got = ParseNumber(text);
  const bool reads = ReadsAsNumber(text);
  if (!reads) {
    TALLYO_FUZZ_CHECK(!got);
  } else {
    bool outOfRange = false;
    const double library = LibraryValue(text, outOfRange);
    if (!outOfRange) {
      TALLYO_FUZZ_CHECK(got.has_value());
      TALLYO_FUZZ_CHECK(SameDouble(*got, library));
    } else if (std::isinf(library)) {
      TALLYO_FUZZ_CHECK(!got);  // beyond the range of a double is not a number
    } else if (got) {
      // Underflow: either refused, or the nearest double, as the library has it.
      TALLYO_FUZZ_CHECK(std::fabs(*got - library) <= 4.9406564584124654e-324);
    }
  }
  if (got) TALLYO_FUZZ_CHECK(std::isfinite(*got));

  const std::optional<std::int16_t> rounded = got ? Int16HalfEven(*got) : std::nullopt;
  TALLYO_FUZZ_CHECK(ParseLogInteger(text) == rounded.value_or(0));
  const std::optional<std::int16_t> interval = ParseIntervalText(text);
  TALLYO_FUZZ_CHECK(interval.has_value() == rounded.has_value());
  if (interval) TALLYO_FUZZ_CHECK(*interval == *rounded);
}

// The users' notations the box reads: English, German, French (either no-break space), and
// one with the real minus sign.
const tallyo::NumberFormat kNotations[] = {
    {".", ",", "-"},
    {",", ".", "-"},
    {",", "\xE2\x80\xAF", "-"},
    {",", "\xC2\xA0", "\xE2\x88\x92"},
};

std::string Replaced(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = from.empty() ? std::string_view::npos : text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

// Whatever the box reads in a notation, it reads alike with the grouping taken out, the
// decimal mark a point and the minus sign '-' in the plain notation.
void CheckNotationReading(std::string_view text) {
  for (const tallyo::NumberFormat& f : kNotations) {
    const std::optional<std::int16_t> got = ParseIntervalText(text, f);
    if (!got) continue;
    std::string plain(text);
    for (std::string_view group : {std::string_view(f.groupSeparator), std::string_view("\xC2\xA0"),
                                   std::string_view("\xE2\x80\xAF")}) {
      plain = Replaced(plain, group, "");
    }
    // The no-break spaces are also typed as plain ones, between digits only.
    if (f.groupSeparator != "." && f.groupSeparator != ",") {
      std::string joined;
      for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == ' ' && i > 0 && i + 1 < plain.size() && IsDigit(plain[i - 1]) &&
            IsDigit(plain[i + 1])) {
          continue;
        }
        joined += plain[i];
      }
      plain = joined;
    }
    plain = Replaced(plain, f.decimalMark, ".");
    plain = Replaced(plain, f.minusSign, "-");
    TALLYO_FUZZ_CHECK(ParseIntervalText(plain) == got);
  }
}

// What the labels write in a notation, the box reads back as the plain text's value.
void CheckNotationTexts(double v) {
  for (const tallyo::NumberFormat& f : kNotations) {
    TALLYO_FUZZ_CHECK(ParseIntervalText(tallyo::PlainNumber(v, f), f) ==
                      ParseIntervalText(tallyo::PlainNumber(v)));
    const std::string text = tallyo::FormatPattern(v, tallyo::NumberPattern::kOneDecimal, f);
    TALLYO_FUZZ_CHECK(ParseIntervalText(text, f) == ParseIntervalText(tallyo::FormatPattern(
                                                        v, tallyo::NumberPattern::kOneDecimal)));
  }
}

// Any double through the rounding rules and the number texts of the labels.
void CheckNumberTexts(double v) {
  const double r = tallyo::RoundHalfEven(v);
  if (std::isfinite(v)) {
    TALLYO_FUZZ_CHECK(r == std::nearbyint(v));
  }
  (void)tallyo::RoundTo2HalfEven(v);
  const std::optional<std::int16_t> i16 = tallyo::ToInt16HalfEven(v);
  const std::optional<std::int16_t> expected =
      std::isfinite(v) ? Int16HalfEven(v) : std::optional<std::int16_t>();
  TALLYO_FUZZ_CHECK(i16.has_value() == expected.has_value());
  if (i16) TALLYO_FUZZ_CHECK(*i16 == *expected);

  for (tallyo::NumberPattern pattern :
       {tallyo::NumberPattern::kTwoDecimals, tallyo::NumberPattern::kOneDecimal,
        tallyo::NumberPattern::kWhole}) {
    const std::string text = tallyo::FormatPattern(v, pattern);
    TALLYO_FUZZ_CHECK(!text.empty() && text.size() <= 400);
  }
  const std::string plain = tallyo::PlainNumber(v);
  TALLYO_FUZZ_CHECK(!plain.empty() && plain.size() <= 400);
  TALLYO_FUZZ_CHECK(tallyo::ShortTime(v).size() <= 400);
}

// A time of day as the time rule makes it, a whole second: its short time is the hour and
// the minute that second lies in, the seconds dropped.
void CheckShortTime(std::uint32_t second) {
  second %= 86400;
  const std::string time = tallyo::ShortTime(second / 86400.0);
  char expected[8];
  std::snprintf(expected, sizeof expected, "%02u:%02u", second / 3600, second / 60 % 60);
  TALLYO_FUZZ_CHECK(time == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckTagText(text);
  CheckTime(text);
  CheckNumbers(text);
  CheckNotationReading(text);
  // The value texts of a line run through the rules as the loader runs them.
  for (char tag : {'T', 'V', 'M'}) {
    if (const std::optional<std::string_view> field = tallyo::TagText(text, tag)) {
      CheckTime(*field);
      CheckNumbers(*field);
    }
  }
  if (size >= sizeof(double)) {
    double v;
    std::memcpy(&v, data, sizeof v);
    CheckNumberTexts(v);
    CheckNotationTexts(v);
    std::uint32_t second;
    std::memcpy(&second, data, sizeof second);
    CheckShortTime(second);
  }
  if (std::optional<double> number = ParseNumber(text)) CheckNumberTexts(*number);
  return 0;
}
