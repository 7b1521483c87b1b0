#pragma once
// Reading values out of text: the time of day, decimal numbers, 16-bit integers. All
// parse without locale and without allocating; the decimal mark is always '.'.

#include <cstdint>
#include <optional>
#include <string_view>

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

// The Interval box's reading of its text: a number by the number rule whose rounded value
// fits 16 bits. nullopt means "not a number", also for 40000 or 1e9.
std::optional<std::int16_t> ParseIntervalText(std::string_view text);

}  // namespace tallyo
