#include "chart/SummaryLabels.h"

#include "platform/NumberText.h"
#include "platform/Rounding.h"

namespace tallyo {

namespace {

void WriteNumber(ChartControls& controls, SummaryLabel label, double value, NumberPattern pattern,
                 const NumberFormat& format, std::string_view unit) {
  std::string caption = FormatPattern(value, pattern, format);
  caption += unit;
  controls.SetCaption(label, caption);
}

}  // namespace

std::string RecordTimeCaption(const Series& timeSeries, double viewBound) {
  const double index = RoundHalfEven(viewBound);
  if (!(index >= 0 && index <= kLastIndex)) return std::string(kNoRecordTime);
  return ShortTime(timeSeries[static_cast<int>(index)]);
}

void WriteTimeAndExtremeLabels(const ViewerState& state, double speedMax, double speedMin,
                               ChartControls& controls) {
  controls.SetCaption(SummaryLabel::stime, RecordTimeCaption(state.timeSeries, state.viewStart));
  controls.SetCaption(SummaryLabel::ftime, RecordTimeCaption(state.timeSeries, state.viewEnd));
  const NumberFormat& format = state.numberFormat;
  using enum NumberPattern;
  WriteNumber(controls, SummaryLabel::VMax1, state.voltsMax, kTwoDecimals, format, " V");
  WriteNumber(controls, SummaryLabel::VMin1, state.voltsMin, kTwoDecimals, format, " V");
  WriteNumber(controls, SummaryLabel::AMax1, state.ampsMax, kOneDecimal, format, " A");
  WriteNumber(controls, SummaryLabel::AMin1, state.ampsMin, kOneDecimal, format, " A");
  WriteNumber(controls, SummaryLabel::WMax1, state.wattsMax, kWhole, format, " W");
  WriteNumber(controls, SummaryLabel::WMin1, state.wattsMin, kWhole, format, " W");
  WriteNumber(controls, SummaryLabel::RMax1, state.rpmMax, kWhole, format, " RPM");
  WriteNumber(controls, SummaryLabel::RMin1, state.rpmMin, kWhole, format, " RPM");
  // The wind speed has no unit; its captions end in one blank.
  WriteNumber(controls, SummaryLabel::SMax1, speedMax, kWhole, format, " ");
  WriteNumber(controls, SummaryLabel::SMin1, speedMin, kWhole, format, " ");
}

void WriteEnergyLabel(double energyWh, const NumberFormat& format, ChartControls& controls) {
  WriteNumber(controls, SummaryLabel::watts, energyWh, NumberPattern::kWhole, format, " Wh");
}

}  // namespace tallyo
