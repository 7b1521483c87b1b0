#pragma once
// The users' notations the tests write and read numbers in, as the systems report them.

#include <cstdio>
#include <ostream>
#include <string>

#include "platform/NumberFormat.h"

namespace tallyo {

// How GoogleTest shows a notation: each mark in quotes, bytes beyond ASCII in hex.
inline void PrintTo(const NumberFormat& format, std::ostream* os) {
  auto mark = [os](const std::string& text) {
    *os << '"';
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x20 && byte < 0x7F) {
        *os << c;
      } else {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        *os << hex;
      }
    }
    *os << '"';
  };
  *os << "{decimal mark ";
  mark(format.decimalMark);
  *os << ", grouping ";
  mark(format.groupSeparator);
  *os << ", minus ";
  mark(format.minusSign);
  *os << '}';
}

}  // namespace tallyo

namespace tallyo::test {

inline constexpr const char* kNoBreakSpace = "\xC2\xA0";            // U+00A0
inline constexpr const char* kNarrowNoBreakSpace = "\xE2\x80\xAF";  // U+202F
inline constexpr const char* kMinusSign = "\xE2\x88\x92";           // U+2212

inline NumberFormat PlainNotation() { return {}; }
inline NumberFormat EnglishNotation() { return {".", ",", "-"}; }
inline NumberFormat GermanNotation() { return {",", ".", "-"}; }
// French groups with a no-break space: the narrow one in Qt's data, the wide one in Wine's.
inline NumberFormat FrenchNotation() { return {",", kNarrowNoBreakSpace, "-"}; }
inline NumberFormat FrenchWideNotation() { return {",", kNoBreakSpace, "-"}; }
// Swedish as Qt has it: a no-break space for grouping and the real minus sign.
inline NumberFormat SwedishNotation() { return {",", kNoBreakSpace, kMinusSign}; }

// A text with each '.' replaced by the decimal mark and each '-' by the minus sign.
inline std::string Spelled(const std::string& plain, const NumberFormat& format) {
  std::string out;
  for (char c : plain) {
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

}  // namespace tallyo::test
