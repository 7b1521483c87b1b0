#pragma once
// The thirteen labels beside the chart that report each draw: the times of the first and
// last record of the view, the extremes of each quantity and the energy total.

#include <string>
#include <string_view>

#include "chart/ChartControls.h"
#include "platform/NumberFormat.h"
#include "viewer/ViewerState.h"

namespace tallyo {

// stime and ftime for a view bound whose rounded index lies outside the series: there is
// no record there, so no time is shown.
inline constexpr std::string_view kNoRecordTime = "--:--";

// The short time of the record at viewBound rounded half to even.
std::string RecordTimeCaption(const Series& timeSeries, double viewBound);

// stime, ftime and VMax1..SMin1, in that order, from the extremes the last search found,
// in the state's notation.
void WriteTimeAndExtremeLabels(const ViewerState& state, double speedMax, double speedMin,
                               ChartControls& controls);

// The label watts, in the given notation.
void WriteEnergyLabel(double energyWh, const NumberFormat& format, ChartControls& controls);

}  // namespace tallyo
