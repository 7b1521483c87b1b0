#include "report/PowerCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/NumberText.h"
#include "report/Csv.h"

namespace tallyo {

const std::string_view kPowerCurveHeader =
    "wind_from,wind_to,readings,mean_watts,mean_volts_x_amps\r\n";

void PowerCurve::Add(double speed, double watts, double voltsTimesAmps) {
  const double q = speed / bin_;
  if (!std::isfinite(q)) return;
  const double edge = std::round(q);
  const double k =
      std::fabs(q - edge) <= 1e-9 * std::max(1.0, std::fabs(edge)) ? edge : std::floor(q);
  Bin& b = bins_[k];
  ++b.readings;
  b.watts += watts;
  b.voltsTimesAmps += voltsTimesAmps;
}

void PowerCurve::Merge(const PowerCurve& other) {
  for (const auto& [k, from] : other.bins_) {
    Bin& b = bins_[k];
    b.readings += from.readings;
    b.watts += from.watts;
    b.voltsTimesAmps += from.voltsTimesAmps;
  }
}

std::string PowerCurve::Rows() const {
  std::string rows;
  for (const auto& [k, b] : bins_) {
    const auto n = static_cast<double>(b.readings);
    rows += CsvLine({PlainNumber(k * bin_), PlainNumber((k + 1) * bin_), std::to_string(b.readings),
                     FormatPattern(b.watts / n, NumberPattern::kOneDecimal),
                     FormatPattern(b.voltsTimesAmps / n, NumberPattern::kOneDecimal)});
  }
  return rows;
}

}  // namespace tallyo
