#pragma once
// The day table: a row for each day with what the viewer's labels show for it, and a last
// row "total" over all of them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/RunningSummary.h"
#include "chart/Summary.h"

namespace tallyo {

// The header line, ended by CR LF.
extern const std::string_view kDayTableHeader;

// The row of a day that was read: its readings' count and, when it has any, the labels'
// numbers without their units (the whole numbers and times of day of the window, the
// point as decimal mark); a day without readings leaves them empty.
std::string DayRow(std::string_view day, const RunningSummary& readings);

// The row of a day that could not be read: its name and the reason, all else empty.
std::string UnreadableDayRow(std::string_view day, std::string_view note);

// The last row over the days read: the readings summed, the first time of the first day
// with readings and the last time of the last one, the energy summed before it is rounded,
// the highest of the highs and the lowest of the lows.
class DayTotal {
 public:
  void Add(const RunningSummary& day);
  std::string Row() const;

 private:
  std::int64_t readings_ = 0;
  std::optional<Summary> summary_;
};

}  // namespace tallyo
