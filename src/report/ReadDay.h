#pragma once
// One day file read for the report: by DISPLAY's line rules and time window, in pieces,
// without the record limit and without a byte written to it.

#include <functional>
#include <string>

#include "log/DayRecords.h"
#include "log/RecordFields.h"
#include "platform/Failure.h"

namespace tallyo {

// Takes one reading: its time of day and its fields.
using ReadingTaker = std::function<void(double time, const RecordFields& fields)>;

// Hands every reading of the day file at path whose time lies strictly inside window to
// take, in the order of the lines. A file that cannot be opened or read to its end gives
// the file's failure, in the words DISPLAY shows; what was taken before it stays taken,
// for the caller to drop.
Failure ReadDay(const std::string& path, const TimeWindow& window, const ReadingTaker& take);

}  // namespace tallyo
