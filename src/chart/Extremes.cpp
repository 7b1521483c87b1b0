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
  state.voltsMax = 0;
  state.voltsMin = state.refVoltsToZero == 1 ? 0 : 100;
  state.ampsMax = -500;
  state.ampsMin = 500;
  state.wattsMax = -2000;
  state.wattsMin = 2000;
  state.rpmMax = 0;
  state.rpmMin = 1000;
  SpeedExtremes speed{0, 1000};

  for (double i = FirstLoopValue(state.viewStart); i <= state.viewEnd; i += 1) {
    const double index = LoopIndex(i);
    if (!InSeries(index)) {
      if (index > kLastIndex) break;  // every later loop value lies further right
      continue;
    }
    const int k = static_cast<int>(index);
    Track(state.voltsSeries[k], state.voltsMax, state.voltsMin);
    Track(state.ampsSeries[k], state.ampsMax, state.ampsMin);
    Track(state.wattsSeries[k], state.wattsMax, state.wattsMin);
    Track(state.rpmSeries[k], state.rpmMax, state.rpmMin);
    Track(state.speedSeries[k], speed.max, speed.min);
  }
  state.energyWh = 0;
  return speed;
}

}  // namespace tallyo
