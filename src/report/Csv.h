#pragma once
// The tables the report writes: CSV as RFC 4180 has it (fields separated by commas, each
// line ended by CR LF), in UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace tallyo {

// One field: quoted when it holds a comma, a quote, a CR or an LF, each quote doubled. A
// byte that is not part of UTF-8 (a file name from a system that allows any bytes) becomes
// U+FFFD, as the viewer shows it.
std::string CsvField(std::string_view text);

// A line of fields, each made by CsvField, ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace tallyo
