#pragma once
// Turning numbers into the texts the viewer shows, in the user's notation: its decimal mark
// in place of the point and its minus sign in place of '-'. Digits are always ASCII, and no
// text is ever grouped. Without a notation, the plain one (a point and '-').

#include <string>

#include "platform/NumberFormat.h"

namespace tallyo {

// The digit patterns of the summary labels, each valued by its number of decimals. No
// grouping, no leading blanks, a minus sign in front of a negative value.
enum class NumberPattern {
  kTwoDecimals = 2,  // "#0.00": 13.456 -> 13.46, 0.5 -> 0.50
  kOneDecimal = 1,   // "##0.0": 5 -> 5.0, -12.34 -> -12.3
  kWhole = 0,        // "###0" and "##0": 234.4 -> 234, -2000 -> -2000
};

std::string FormatPattern(double v, NumberPattern pattern, const NumberFormat& format);
inline std::string FormatPattern(double v, NumberPattern pattern) {
  return FormatPattern(v, pattern, NumberFormat{});
}

// hh:mm of a time of day held as a fraction of a day; the seconds are dropped, not rounded
// into the minutes (18:30:59 -> 18:30), and a whole second never shows the minute before
// through floating-point error (18:30:00 -> 18:30).
std::string ShortTime(double dayFraction);

// The plain text of a number: up to 15 significant digits, no grouping, no trailing zeros,
// no decimal mark for a whole number (12.5, 13, -0.5).
std::string PlainNumber(double v, const NumberFormat& format);
inline std::string PlainNumber(double v) { return PlainNumber(v, NumberFormat{}); }

}  // namespace tallyo
