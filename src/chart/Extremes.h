#pragma once
// The search of the view for the highest and lowest value of each quantity, which set the
// vertical scale of each curve and feed the summary labels.

#include "viewer/ViewerState.h"

namespace tallyo {

// Wind speed extremes belong to one draw only and are not kept in the state.
struct SpeedExtremes {
  double max;
  double min;
};

// Sets the working values of the state to their start values (energyWh to 0) and runs
// through the view, from viewStart to viewEnd in steps of 1, raising each maximum and
// lowering each minimum. The start values take part like values met before the first
// record, so RPM values all above 1000 leave rpmMin at 1000.
SpeedExtremes FindExtremes(ViewerState& state);

}  // namespace tallyo
