#include <string>

#include "chart/DrawGraph.h"
#include "platform/TextRules.h"

namespace tallyo {

// The energy total takes each record as one logging interval, so an interval the logger
// cannot have (below 10 s or above 120 s) is lifted into that range in the box itself.
// Setting the box's text runs its change handling at once, which stores the new value in
// logInterval; the text is therefore read again after the lower limit.
void LimitLogInterval(ViewerState& state, ChartControls& controls) {
  std::optional<std::int16_t> value =
      ParseIntervalText(controls.IntervalText(), state.numberFormat);
  if (!value) return;  // the box never keeps such a text; leave it and logInterval alone
  state.logInterval = *value;
  if (state.logInterval < 10) controls.SetIntervalText("10");

  value = ParseIntervalText(controls.IntervalText(), state.numberFormat);
  if (value) state.logInterval = *value;
  if (state.logInterval > 120) controls.SetIntervalText("120");
}

}  // namespace tallyo
