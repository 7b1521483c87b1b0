#include "report/Report.h"

#include <cstddef>
#include <optional>

#include "chart/RunningSummary.h"
#include "platform/OutputFile.h"
#include "platform/Path.h"
#include "platform/PathInfo.h"
#include "report/DayFiles.h"
#include "report/DayTable.h"
#include "report/PowerCurve.h"
#include "report/ReadDay.h"
#include "report/ReportOptions.h"

namespace tallyo {

namespace {

// Where the table goes, a file or standard output, written in blocks; the first failure
// stops the writing and is kept.
class TableOutput {
 public:
  explicit TableOutput(const Console& console) : console_(console) {}

  Failure Create(const std::string& path) {
    toFile_ = true;
    return file_.Create(path);
  }
  void Write(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kBlock) Flush();
  }
  Failure Finish() {
    Flush();
    if (toFile_) {
      Failure closed = file_.Close();
      if (!failure_) failure_ = std::move(closed);
    }
    return failure_;
  }

 private:
  static constexpr std::size_t kBlock = std::size_t{64} << 10;

  void Flush() {
    if (!failure_ && !buffer_.empty()) {
      failure_ = toFile_ ? file_.Write(buffer_) : console_.writeOutput(buffer_);
    }
    buffer_.clear();
  }

  const Console& console_;
  OutputFile file_;
  bool toFile_ = false;
  std::string buffer_;
  Failure failure_;
};

// The most notes one message box lists.
constexpr std::size_t kNotesInABox = 10;

}  // namespace

int Report(const std::vector<std::string>& arguments, const std::string& programFolder,
           const Console& console) {
  // Without a console nobody reads standard error: the user is told in a message box.
  const auto tell = [&console](const std::string& text) {
    if (console.withoutConsole) {
      console.showMessage(kReportTitle, text);
    } else {
      console.writeError(std::string(kReportTitle) + ": " + text +
                         (text.ends_with('\n') ? "" : "\n"));
    }
  };

  ReportOptions options;
  if (const Failure refusal = ReadOptions(arguments, options)) {
    tell(*refusal + "\n" + std::string(kReportUsage));
    return 2;
  }
  if (options.help || options.version) {
    const std::string text = options.help
                                 ? std::string(kReportHelp)
                                 : std::string(kReportTitle) + " " TALLYO_VERSION_TEXT "\n";
    if (console.withoutConsole) {
      console.showMessage(kReportTitle, text);
    } else if (const Failure failure = console.writeOutput(text)) {
      tell(*failure);
      return 1;
    }
    return 0;
  }

  if (options.paths.empty()) options.paths.push_back(JoinPath(programFolder, "logs"));
  const std::vector<DayFile> days = DayFiles(options.paths);

  // Without a console the table goes beside the program, to be opened from there.
  std::optional<std::string> tablePath = options.output;
  if (!tablePath && console.withoutConsole) {
    tablePath = JoinPath(programFolder, kReportTableName);
  }
  TableOutput out(console);
  if (tablePath) {
    for (const DayFile& day : days) {
      if (SameFile(*tablePath, day.path)) {
        tell("the table would replace the day file \"" + day.path +
             "\", which the report only reads\n" + std::string(kReportUsage));
        return 2;
      }
    }
    if (const Failure failure = out.Create(*tablePath)) {
      tell(*failure);
      return 1;
    }
  }

  const bool powerCurve = options.powerCurveBin.has_value();
  const double bin = options.powerCurveBin.value_or(1);
  out.Write(powerCurve ? kPowerCurveHeader : kDayTableHeader);
  DayTotal total;
  PowerCurve curve(bin);
  std::vector<std::string> notes;
  std::size_t unreadable = 0;
  for (const DayFile& day : days) {
    // "Ref V to 0v" off: the volts minimum starts at 100.
    RunningSummary summary(0, options.logInterval);
    PowerCurve dayCurve(bin);
    const Failure failure =
        ReadDay(day.path, options.window, [&](double time, const RecordFields& f) {
          summary.Add(time, f.volts, f.amps, f.watts, f.rpm, f.speed);
          if (powerCurve) dayCurve.Add(f.speed, f.watts, f.volts * f.amps);
        });
    // A day that cannot be read to its end counts with nothing, as DISPLAY keeps nothing
    // of it.
    if (failure) {
      ++unreadable;
      if (console.withoutConsole) {
        if (notes.size() < kNotesInABox) notes.push_back(*failure);
      } else {
        tell(*failure);
      }
      if (!powerCurve) out.Write(UnreadableDayRow(day.day, *failure));
      continue;
    }
    if (powerCurve) {
      curve.Merge(dayCurve);
    } else {
      out.Write(DayRow(day.day, summary));
      total.Add(summary);
    }
  }
  out.Write(powerCurve ? curve.Rows() : total.Row());
  if (const Failure failure = out.Finish()) {
    tell(*failure);
    return 1;
  }

  if (console.withoutConsole) {
    if (const Failure failure = console.openWithDefaultProgram(*tablePath)) tell(*failure);
    if (unreadable > 0) {
      std::string text = powerCurve ? "Not every day could be read:\n"
                                    : "Not every day could be read; the table's column \"note\" "
                                      "says why:\n";
      for (const std::string& note : notes) text += "\n" + note;
      if (unreadable > notes.size()) {
        text += "\n... and " + std::to_string(unreadable - notes.size()) + " more";
      }
      tell(text);
    }
  }
  return unreadable > 0 ? 1 : 0;
}

}  // namespace tallyo
