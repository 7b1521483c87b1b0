#include "chart/Summary.h"

#include "platform/NumberText.h"

namespace tallyo {

namespace {

struct LabelNumber {
  double Summary::*value;
  NumberPattern pattern;
  std::string_view unit;
};

// VMax1 to watts, in the order of SummaryLabel.
using enum NumberPattern;
constexpr LabelNumber kNumbers[] = {
    {&Summary::voltsMax, kTwoDecimals, " V"}, {&Summary::voltsMin, kTwoDecimals, " V"},
    {&Summary::ampsMax, kOneDecimal, " A"},   {&Summary::ampsMin, kOneDecimal, " A"},
    {&Summary::wattsMax, kWhole, " W"},       {&Summary::wattsMin, kWhole, " W"},
    {&Summary::rpmMax, kWhole, " RPM"},       {&Summary::rpmMin, kWhole, " RPM"},
    {&Summary::speedMax, kWhole, " "},        {&Summary::speedMin, kWhole, " "},
    {&Summary::energyWh, kWhole, " Wh"},
};
static_assert(std::size(kNumbers) + 2 == kSummaryLabels);

const LabelNumber* NumberOf(SummaryLabel label) {
  const auto i = static_cast<std::size_t>(label);
  return i >= 2 ? &kNumbers[i - 2] : nullptr;
}

}  // namespace

std::string SummaryNumber(const Summary& summary, SummaryLabel label, const NumberFormat& format) {
  if (const LabelNumber* number = NumberOf(label)) {
    return FormatPattern(summary.*number->value, number->pattern, format);
  }
  const std::optional<double>& time =
      label == SummaryLabel::stime ? summary.firstTime : summary.lastTime;
  return time ? ShortTime(*time) : std::string(kNoRecordTime);
}

std::string SummaryCaption(const Summary& summary, SummaryLabel label, const NumberFormat& format) {
  std::string caption = SummaryNumber(summary, label, format);
  if (const LabelNumber* number = NumberOf(label)) caption += number->unit;
  return caption;
}

}  // namespace tallyo
