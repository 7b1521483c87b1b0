#pragma once
// Reading values out of text: the time of day, decimal numbers, 16-bit integers. The rules
// of the log file parse without locale and without allocating; their decimal mark is always
// '.'. Only the Interval box reads the user's notation.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/NumberFormat.h"

namespace tallyo {

// The time rule: H:M or H:M:S, hours 0..23, minutes and seconds 0..59, one or two digits
// each; blanks (spaces, tabs) around the whole text are allowed. The value is the
// fraction of the day, seconds / 86400, so equal times always give equal values.
std::optional<double> ParseTimeOfDay(std::string_view text);

// The number rule: optional sign, digits with an optional '.' and fraction (at least one
// digit in all), optional exponent (e or E, optional sign, digits); blanks around the whole
// text are allowed. A value beyond the range of a double is not a number.
std::optional<double> ParseNumber(std::string_view text);

// The integer rule (the M field): a number by the number rule, rounded half to even, that
// fits 16 bits; anything else (the empty text included) gives 0.
std::int16_t ParseLogInteger(std::string_view text);

// The Interval box's reading of its text: a number by the number rule, written in the
// user's notation, whose rounded value fits 16 bits. nullopt means "not a number", also for
// 40000 or 1e9.
//
// The notation: the decimal mark of the format in place of the point, and a leading sign
// that may also be the format's minus sign. Where the format groups digits, its separator
// may stand only inside the whole part, between digits: the first group has 1 to 3 digits
// and every later group exactly 3 ("1.234.567,5" in German; "1.23,5", "1234.567", ".123"
// and "1.234." are not numbers). A grouping separator never stands in the fraction or the
// exponent. Where the separator is a no-break space (U+00A0 or U+202F, as French has it),
// either of them and a plain space are taken alike.
std::optional<std::int16_t> ParseIntervalText(std::string_view text, const NumberFormat& format);
// The same in the plain notation: exactly the number rule.
std::optional<std::int16_t> ParseIntervalText(std::string_view text);

}  // namespace tallyo
