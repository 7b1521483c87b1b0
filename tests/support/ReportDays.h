#pragma once
// The days the report's tests read, made by the sample generator: the same bytes on every
// machine, so that a table of them is the same everywhere.

#include <cstdint>
#include <string>
#include <vector>

#include "SampleDay.h"
#include "support/TempLogFolder.h"

namespace tallyo::test {

// Six days of November logged every 10 seconds ("2026-11-01.txt" ...), each with weather of
// its own, and the four sample days: one with damaged lines, one logged every 2 seconds
// (43,200 lines, more readings than one display takes).
inline std::vector<SampleDayFile> ReportDays() {
  std::vector<SampleDayFile> days;
  for (int d = 1; d <= 6; ++d) {
    days.push_back({"2026-11-0" + std::to_string(d) + ".txt",
                    BenchmarkDay(8640, 20261100 + static_cast<std::uint64_t>(d))});
  }
  for (SampleDayFile& sample : SampleDays()) days.push_back(std::move(sample));
  return days;
}

// Writes the days into the folder's logs folder.
inline void WriteReportDays(const TempLogFolder& folder,
                            const std::vector<SampleDayFile>& days = ReportDays()) {
  for (const SampleDayFile& day : days) folder.WriteLog(day.name, MakeSampleDay(day.settings));
}

}  // namespace tallyo::test
