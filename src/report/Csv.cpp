#include "report/Csv.h"

#include <cstddef>

namespace tallyo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 sequence that starts at text[i], or 0 when none does: no
// overlong form, no surrogate, nothing above U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + n > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < n; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return n;
}

}  // namespace

std::string CsvField(std::string_view text) {
  std::string field;
  field.reserve(text.size() + 2);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8Length(text, i);
    if (n == 0) {
      field += kReplacement;
      ++i;
      continue;
    }
    const char c = text[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') quoted = true;
    if (c == '"') field += '"';
    field.append(text, i, n);
    i += n;
  }
  return quoted ? '"' + field + '"' : field;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) line += ',';
    first = false;
    line += CsvField(field);
  }
  line += "\r\n";
  return line;
}

}  // namespace tallyo
