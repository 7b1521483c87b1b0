#include "report/ReadDay.h"

#include <cstdint>
#include <string_view>

#include "log/LineReader.h"
#include "log/LineScan.h"
#include "platform/Files.h"

namespace tallyo {

Failure ReadDay(const std::string& path, const TimeWindow& window, const ReadingTaker& take) {
  LogFile file;
  if (Failure failure = file.OpenToRead(path)) return failure;
  // The M value plays no part in the report.
  LineScan scan(window, [&take](double time, const RecordFields& fields, std::int16_t /*m*/) {
    take(time, fields);
    return true;
  });
  return ReadLines(file, kPieceBytes, [&scan](std::string_view lines) { return scan.Run(lines); });
}

}  // namespace tallyo
