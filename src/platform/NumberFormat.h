#pragma once
// The user's notation for the numbers the viewer shows and reads in its window: the decimal
// mark, the digit grouping separator and the minus sign of the user's regional format, each
// as UTF-8 text. The log files keep their own notation (a point, no grouping) whatever the
// user's is.

#include <string>
#include <string_view>

namespace tallyo {

// The default is the plain notation of the C locale: a point, no grouping, '-'. It is also
// what a locale the system cannot describe falls back to.
struct NumberFormat {
  std::string decimalMark = ".";
  // Empty: the whole part of a number is never grouped.
  std::string groupSeparator;
  std::string minusSign = "-";

  bool operator==(const NumberFormat&) const = default;
};

// The notation a system reports, made safe to write and read: a decimal mark that is
// empty, longer than 16 bytes, not UTF-8, or holds an ASCII letter, digit, sign, blank or
// control character gives the plain notation as a whole; an unusable grouping separator,
// one equal to the decimal mark or one that begins the same way, gives no grouping; an
// unusable minus sign gives '-'. A grouping separator may be a blank (" ").
NumberFormat DescribedNumberFormat(std::string_view decimalMark, std::string_view groupSeparator,
                                   std::string_view minusSign);

// The user's notation as this system reports it, through DescribedNumberFormat. Each edition
// implements it with its own system's locale; the viewer window reads it once, when it is
// created.
NumberFormat UserNumberFormat();

}  // namespace tallyo
