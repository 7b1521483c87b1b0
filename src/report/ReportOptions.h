#pragma once
// The report's command line: its options, each read by the window's own rules, and the
// texts that explain it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/DayRecords.h"
#include "platform/Failure.h"

namespace tallyo {

struct ReportOptions {
  // --from and --to: the strict time window of DISPLAY, the whole day by default
  // (00:00 to 23:59, as a click on a day sets it).
  TimeWindow window;
  // --interval: the logging interval the energy counts with, held to 10..120 s as a draw
  // holds the Interval box's value.
  std::int16_t logInterval = 10;
  // --output: the file the table goes into, in place of standard output.
  std::optional<std::string> output;
  // --power-curve: the width of a wind speed bin; the power curve instead of the day table.
  std::optional<double> powerCurveBin;
  bool help = false;
  bool version = false;
  // Day files and folders, in the order given.
  std::vector<std::string> paths;
};

// Reads the arguments (without the program's name) into options, starting from the
// defaults. A refusal is the sentence that says what is wrong; the usage goes after it.
Failure ReadOptions(const std::vector<std::string>& arguments, ReportOptions& options);

// How the program is called, for a refusal.
extern const std::string_view kReportUsage;
// What --help shows: the usage and what the report does.
extern const std::string_view kReportHelp;

}  // namespace tallyo
