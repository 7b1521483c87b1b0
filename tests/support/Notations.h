#pragma once
// The users' notations the tests write and read numbers in, as the systems report them.

#include <string>

#include "platform/NumberFormat.h"

namespace tallyo::test {

inline constexpr const char* kNoBreakSpace = "\xC2\xA0";             // U+00A0
inline constexpr const char* kNarrowNoBreakSpace = "\xE2\x80\xAF";   // U+202F
inline constexpr const char* kMinusSign = "\xE2\x88\x92";            // U+2212

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
