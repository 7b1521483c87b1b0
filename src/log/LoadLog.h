#pragma once
// The DISPLAY command: checks the time window and the chosen file, appends the empty line,
// reads the file in pieces and stores the records that lie strictly inside the window.

#include <cstddef>
#include <string>
#include <string_view>

#include "log/DayRecords.h"
#include "log/LineReader.h"

namespace tallyo {

// What DISPLAY reads from the window.
struct DisplayRequest {
  std::string_view time1h, time1m;       // start: hours, minutes
  std::string_view time2h, time2m;       // finish: hours, minutes
  std::string_view fileName;             // caption of text1: a bare file name
  std::string_view programFolder;        // the logs folder lies directly inside it
  std::size_t pieceBytes = kPieceBytes;  // how much of the file is read at once
};

enum class DisplayOutcome {
  kBadStartTime,
  kBadFinishTime,
  kNoFileChosen,
  kFileError,    // the file could not be opened, created, appended to or read
  kRecordLimit,  // the 10,000th record was reached
  kNoData,
  kLoaded,  // 1..9999 records, to be shown from the first to the last
};

struct DisplayResult {
  DisplayOutcome outcome;
  std::string message;  // for the message box; empty for kLoaded
};

// Messages of DISPLAY, word for word.
inline constexpr std::string_view kBadStartMessage = "Bad time format for start time";
inline constexpr std::string_view kBadFinishMessage = "Bad time format for finish time";
inline constexpr std::string_view kNoFileMessage = "select a file to view";
inline constexpr std::string_view kRecordLimitMessage =
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set "
    "you logging interval to 10 seconds or more, you wont have this problem in the future. ";
inline constexpr std::string_view kNoDataMessage = "No data for that date";

// Most records one display keeps (indices 1..9999).
inline constexpr int kRecordLimit = 9999;

// Runs DISPLAY up to the point where the chart would be drawn. The record limit leaves a
// count of 10,000 (9,999 records kept); a file that cannot be read to its end, none. The
// caller shows the message of any outcome but kLoaded.
DisplayResult LoadLog(DayRecords& records, const DisplayRequest& request);

// The path of the file DISPLAY reads: program folder, "logs", file name, joined by the
// system's separator.
std::string LogFilePath(std::string_view programFolder, std::string_view fileName);

}  // namespace tallyo
