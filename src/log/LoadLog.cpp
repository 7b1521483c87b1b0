#include "log/LoadLog.h"

#include <cstdint>
#include <optional>
#include <string>

#include "log/LineReader.h"
#include "log/LineScan.h"
#include "platform/Files.h"
#include "platform/Path.h"
#include "platform/TextRules.h"

namespace tallyo {

namespace {

std::optional<double> JoinedTime(std::string_view hours, std::string_view minutes) {
  return ParseTimeOfDay(std::string(hours) + ':' + std::string(minutes));
}

// DISPLAY's one change to a file: an empty line at its end. A file that does not end in LF
// is in the middle of a line that its writer has not finished yet; that line's end is the
// writer's to add, so nothing is appended, and the unfinished line is read as the last
// line, just as it would be with the empty line behind it. The look at the last byte and
// the append follow each other at once: a writer that adds part of a line in between is
// the one case left (docs/DEVELOPING.md).
Failure AppendEmptyLine(LogFile& file) {
  std::optional<char> last;
  if (Failure failure = file.LastByte(last)) return failure;
  if (last && *last != '\n') return std::nullopt;
  return file.Append("\r\n");
}

}  // namespace

std::string LogFilePath(std::string_view programFolder, std::string_view fileName) {
  return JoinPath(JoinPath(programFolder, "logs"), fileName);
}

DisplayResult LoadLog(DayRecords& records, const DisplayRequest& request) {
  const std::optional<double> start = JoinedTime(request.time1h, request.time1m);
  if (!start) return {DisplayOutcome::kBadStartTime, std::string(kBadStartMessage)};
  const std::optional<double> finish = JoinedTime(request.time2h, request.time2m);
  if (!finish) return {DisplayOutcome::kBadFinishTime, std::string(kBadFinishMessage)};
  records.startTime = *start;
  records.finishTime = *finish;

  // Only the empty caption means "no file"; blanks are a file name like any other.
  if (request.fileName.empty()) return {DisplayOutcome::kNoFileChosen, std::string(kNoFileMessage)};

  LogFile file;
  Failure failure = file.OpenToAppend(LogFilePath(request.programFolder, request.fileName));
  if (!failure) failure = AppendEmptyLine(file);
  if (failure) return {DisplayOutcome::kFileError, std::move(*failure)};

  records.recordCount = 0;
  // Each record at the next index of the series; the 10,000th ends the scan.
  LineScan scan(records, [&records](double t, const RecordFields& fields, std::int16_t m) {
    if (records.recordCount == kRecordLimit) return false;
    const int k = ++records.recordCount;
    records.timeSeries[k] = t;
    records.voltsSeries[k] = fields.volts;
    records.ampsSeries[k] = fields.amps;
    records.rpmSeries[k] = fields.rpm;
    records.wattsSeries[k] = fields.watts;
    records.speedSeries[k] = fields.speed;
    records.mSeries[k] = m;
    return true;
  });
  // A day that cannot be read to its end (a failing disk, too little memory for one of its
  // lines) keeps no records.
  failure = ReadLines(file, request.pieceBytes,
                      [&scan](std::string_view lines) { return scan.Run(lines); });
  if (failure) {
    records.recordCount = 0;
    return {DisplayOutcome::kFileError, std::move(*failure)};
  }
  if (scan.Stopped()) {
    records.recordCount = kRecordLimit + 1;
    return {DisplayOutcome::kRecordLimit, std::string(kRecordLimitMessage)};
  }
  if (records.recordCount == 0) return {DisplayOutcome::kNoData, std::string(kNoDataMessage)};
  return {DisplayOutcome::kLoaded, std::string()};
}

}  // namespace tallyo
