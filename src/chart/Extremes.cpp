#include "chart/Extremes.h"

#include "chart/ViewLoop.h"
#include "platform/Rounding.h"

namespace tallyo {

namespace {

// Both comparisons strict and independent: with the start values a single value can lower
// the minimum and raise the maximum at once. NaN never wins either.
inline void Track(double value, double& max, double& min) {
  if (value > max) max = value;
  if (value < min) min = value;
}

}  // namespace

SpeedExtremes FindExtremes(ViewerState& state) {
  double voltsMax = 0;
  double voltsMin = state.refVoltsToZero == 1 ? 0 : 100;
  double ampsMax = -500;
  double ampsMin = 500;
  double wattsMax = -2000;
  double wattsMin = 2000;
  double rpmMax = 0;
  double rpmMin = 1000;
  double speedMax = 0;
  double speedMin = 1000;

  for (double i = FirstLoopValue(state.viewStart); i <= state.viewEnd; i += 1) {
    const double index = LoopIndex(i);
    if (!InSeries(index)) {
      if (index > kLastIndex) break;  // every later loop value lies further right
      continue;
    }
    const int k = static_cast<int>(index);
    Track(state.voltsSeries[k], voltsMax, voltsMin);
    Track(state.ampsSeries[k], ampsMax, ampsMin);
    Track(state.wattsSeries[k], wattsMax, wattsMin);
    Track(state.rpmSeries[k], rpmMax, rpmMin);
    Track(state.speedSeries[k], speedMax, speedMin);
  }

  state.voltsMax = voltsMax;
  state.voltsMin = voltsMin;
  state.ampsMax = ampsMax;
  state.ampsMin = ampsMin;
  state.wattsMax = wattsMax;
  state.wattsMin = wattsMin;
  state.rpmMax = rpmMax;
  state.rpmMin = rpmMin;
  state.energyWh = 0;
  return {speedMax, speedMin};
}

}  // namespace tallyo
