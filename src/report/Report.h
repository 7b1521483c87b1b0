#pragma once
// The report program: its command line, the days it reads, the table it writes and where,
// and what it tells the user.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Console.h"

namespace tallyo {

// The program's title in its message boxes, and the table a start without a console
// writes beside the program.
inline constexpr std::string_view kReportTitle = "Tallyo_report";
inline constexpr std::string_view kReportTableName = "Tallyo_report.csv";

// Runs the report with the arguments after the program's name. programFolder holds the
// default "logs" folder; console is where the output and the messages go. Gives the exit
// status: 0; 1 when a day could not be read or the table could not be written; 2 for a
// bad option.
int Report(const std::vector<std::string>& arguments, const std::string& programFolder,
           const Console& console);

}  // namespace tallyo
