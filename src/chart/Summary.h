#pragma once
// What a draw reports about its view beside the curves (the highest and lowest value of
// each quantity, the times of the records at its ends, the energy) and the thirteen labels
// that show it. A reader that takes a day's readings one by one finds by these rules the
// very numbers a draw of them shows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/NumberFormat.h"

namespace tallyo {

// What the viewer keeps of a draw until the next: the extremes that scale the curves and
// the energy total.
struct WorkingValues {
  double voltsMax = 0, voltsMin = 0;
  double ampsMax = 0, ampsMin = 0;
  double wattsMax = 0, wattsMin = 0;
  double rpmMax = 0, rpmMin = 0;
  double energyWh = 0;
};

struct Summary : WorkingValues {
  double speedMax = 0, speedMin = 0;
  // The time of day of the record at each end of the view; nothing where that end lies
  // outside the series.
  std::optional<double> firstTime, lastTime;

  // The start values, energyWh 0. A start value takes part like a value met before the
  // first reading, so RPM values all above 1000 leave rpmMin at 1000, and with
  // refVoltsToZero at 1 the volts scale reaches down to 0 V.
  static Summary Start(std::int16_t refVoltsToZero) {
    Summary s;
    s.voltsMin = refVoltsToZero == 1 ? 0 : 100;
    s.ampsMax = -500, s.ampsMin = 500;
    s.wattsMax = -2000, s.wattsMin = 2000;
    s.rpmMin = 1000, s.speedMin = 1000;
    return s;
  }

  // One reading takes part in the extremes.
  void Track(double volts, double amps, double watts, double rpm, double speed) {
    Track(volts, voltsMax, voltsMin);
    Track(amps, ampsMax, ampsMin);
    Track(watts, wattsMax, wattsMin);
    Track(rpm, rpmMax, rpmMin);
    Track(speed, speedMax, speedMin);
  }

 private:
  // Both comparisons strict and independent: with the start values a single value can
  // lower the minimum and raise the maximum at once. NaN never wins either.
  static void Track(double value, double& max, double& min) {
    if (value > max) max = value;
    if (value < min) min = value;
  }
};

// The energy of one reading in watt-hours: it stands for one logging interval at the
// power volts x amps; its <W> value plays no part. A draw adds the share of each record of
// its view but the first, which has no segment of its own.
inline double EnergyShare(double volts, double amps, std::int16_t logInterval) {
  return amps * volts / 3600 * logInterval;
}

// The labels, in the order the window writes them.
// clang-format off
enum class SummaryLabel {
  stime, ftime,
  VMax1, VMin1, AMax1, AMin1, WMax1, WMin1, RMax1, RMin1, SMax1, SMin1,
  watts,
};
// clang-format on
inline constexpr int kSummaryLabels = 13;

// stime and ftime for a view bound whose rounded index lies outside the series: there is
// no record there, so no time is shown.
inline constexpr std::string_view kNoRecordTime = "--:--";

// What the label shows without its unit, in the given notation: a short time for stime
// and ftime, else the number by the label's pattern.
std::string SummaryNumber(const Summary& summary, SummaryLabel label, const NumberFormat& format);

// The label's caption: its number directly followed by its unit, " V", " A", " W",
// " RPM", " Wh", or a single blank for the wind speed, which has none.
std::string SummaryCaption(const Summary& summary, SummaryLabel label, const NumberFormat& format);

}  // namespace tallyo
