#include "report/ReportOptions.h"

#include <cmath>

#include "chart/DrawGraph.h"
#include "log/LoadLog.h"
#include "platform/TextRules.h"

namespace tallyo {

const std::string_view kReportUsage =
    "usage: Tallyo_report [--from HH:MM] [--to HH:MM] [--interval SECONDS] [--output FILE]\n"
    "                     [--power-curve [BIN]] [DAY.txt | FOLDER]...\n"
    "       Tallyo_report --help | --version\n";

const std::string_view kReportHelp =
    "usage: Tallyo_report [OPTION]... [DAY.txt | FOLDER]...\n"
    "\n"
    "Reports the day files of the wind generator's logger as one CSV table: a row for each\n"
    "day, in the order of the viewer's file list, with its number of readings, the times of\n"
    "its first and last reading, its energy in Wh and the highest and lowest volts, amps,\n"
    "watts, RPM and wind speed, the very numbers the viewer's labels show for that day with\n"
    "\"Ref V to 0v\" off; then a row \"total\". A FOLDER gives its *.txt files; with no DAY or\n"
    "FOLDER, the folder \"logs\" beside the program.\n"
    "\n"
    "  --from HH:MM         only readings after this time (default 00:00)\n"
    "  --to HH:MM           only readings before this time (default 23:59)\n"
    "  --interval SECONDS   the logger's interval, which the energy counts with (default 10;\n"
    "                       held to 10..120 like the viewer's \"Log Interval\")\n"
    "  --output FILE        the table into FILE instead of standard output\n"
    "  --power-curve [BIN]  instead of the day table, the power curve: for each wind speed\n"
    "                       bin of width BIN (default 1) the readings and their mean watts\n"
    "  --help               this text\n"
    "  --version            the program's version\n"
    "\n"
    "The viewer shows at most 9,999 readings at once; the report draws nothing and takes\n"
    "every reading in the time window, also more than 9,999 of them. It only reads the day\n"
    "files: nothing is added to them and nothing is made beside them.\n"
    "\n"
    "Exit status: 0; 1 when a day could not be read (its reason is in the column \"note\")\n"
    "or the table could not be written; 2 for a bad option.\n";

namespace {

// An option's value: after '=' in the same argument, or the next argument.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string_view name,
               const std::optional<std::string_view>& attached, std::string& value,
               Failure& refusal) {
  if (attached) {
    value = std::string(*attached);
    return true;
  }
  if (i + 1 >= arguments.size()) {
    refusal = std::string(name) + " wants a value";
    return false;
  }
  value = arguments[++i];
  return true;
}

// A bin width: a number by the number rule, above 0.
std::optional<double> BinWidth(std::string_view text) {
  const std::optional<double> bin = ParseNumber(text);
  if (!bin || !(*bin > 0) || !std::isfinite(*bin)) return std::nullopt;
  return bin;
}

}  // namespace

Failure ReadOptions(const std::vector<std::string>& arguments, ReportOptions& options) {
  options.window.startTime = ParseTimeOfDay("00:00").value_or(0);
  options.window.finishTime = ParseTimeOfDay("23:59").value_or(0);
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      options.paths.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    std::string_view name = argument;
    std::optional<std::string_view> attached;
    if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
      attached = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    Failure refusal;
    std::string value;
    if (name == "--from" || name == "--to") {
      if (!TakeValue(arguments, i, name, attached, value, refusal)) return refusal;
      // By the time rule, and refused in DISPLAY's words.
      const std::optional<double> time = ParseTimeOfDay(value);
      const bool start = name == "--from";
      if (!time) return std::string(start ? kBadStartMessage : kBadFinishMessage);
      (start ? options.window.startTime : options.window.finishTime) = *time;
    } else if (name == "--interval") {
      if (!TakeValue(arguments, i, name, attached, value, refusal)) return refusal;
      const std::optional<std::int16_t> interval = ParseIntervalText(value);
      if (!interval) return "--interval wants a number of seconds, such as 10 or 60";
      options.logInterval = HeldInterval(*interval);
    } else if (name == "--output") {
      if (!TakeValue(arguments, i, name, attached, value, refusal)) return refusal;
      if (value.empty()) return "--output wants a file name";
      options.output = value;
    } else if (name == "--power-curve") {
      // The bin width is optional: the next argument is one when it reads as a number.
      std::optional<double> bin = 1.0;
      if (attached) {
        bin = BinWidth(*attached);
      } else if (i + 1 < arguments.size() && ParseNumber(arguments[i + 1])) {
        bin = BinWidth(arguments[++i]);
      }
      if (!bin) return "--power-curve wants a bin width above 0";
      options.powerCurveBin = bin;
    } else if (name == "--help" && !attached) {
      options.help = true;
    } else if (name == "--version" && !attached) {
      options.version = true;
    } else {
      return "unknown option " + argument;
    }
  }
  return std::nullopt;
}

}  // namespace tallyo
