#include "report/DayTable.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "report/Csv.h"

namespace tallyo {

const std::string_view kDayTableHeader =
    "day,readings,first,last,energy_wh,volts_high,volts_low,amps_high,amps_low,watts_high,"
    "watts_low,rpm_high,rpm_low,wind_high,wind_low,note\r\n";

namespace {

// The labels behind the columns first to wind_low, in the columns' order.
using enum SummaryLabel;
constexpr SummaryLabel kColumns[] = {stime, ftime, watts, VMax1, VMin1, AMax1, AMin1,
                                     WMax1, WMin1, RMax1, RMin1, SMax1, SMin1};

// Each quantity's highest and lowest value.
using Extreme = double Summary::*;
constexpr std::pair<Extreme, Extreme> kExtremes[] = {{&Summary::voltsMax, &Summary::voltsMin},
                                                     {&Summary::ampsMax, &Summary::ampsMin},
                                                     {&Summary::wattsMax, &Summary::wattsMin},
                                                     {&Summary::rpmMax, &Summary::rpmMin},
                                                     {&Summary::speedMax, &Summary::speedMin}};

std::string Row(std::string_view day, std::string readings, const std::optional<Summary>& summary,
                std::string_view note) {
  std::vector<std::string> fields{std::string(day), std::move(readings)};
  for (const SummaryLabel label : kColumns) {
    // The plain notation: the table is the same whatever the user's regional format.
    fields.push_back(summary ? SummaryNumber(*summary, label, NumberFormat{}) : std::string());
  }
  fields.emplace_back(note);
  return CsvLine(fields);
}

}  // namespace

std::string DayRow(std::string_view day, const RunningSummary& readings) {
  return Row(day, std::to_string(readings.Count()), readings.Result(), {});
}

std::string UnreadableDayRow(std::string_view day, std::string_view note) {
  return Row(day, {}, std::nullopt, note);
}

void DayTotal::Add(const RunningSummary& day) {
  const std::optional<Summary> s = day.Result();
  if (!s) return;
  readings_ += day.Count();
  if (!summary_) {
    summary_ = s;
    return;
  }
  Summary& t = *summary_;
  t.energyWh += s->energyWh;
  for (const auto& [high, low] : kExtremes) {
    t.*high = std::max(t.*high, (*s).*high);
    t.*low = std::min(t.*low, (*s).*low);
  }
  t.lastTime = s->lastTime;
}

std::string DayTotal::Row() const {
  return tallyo::Row("total", std::to_string(readings_), summary_, {});
}

}  // namespace tallyo
