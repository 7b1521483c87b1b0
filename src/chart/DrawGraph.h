#pragma once
// Draws the records of the view as curves, with zero lines and M bands, and writes the
// summary labels and the energy total.

#include "chart/ChartControls.h"
#include "platform/DrawSurface.h"
#include "viewer/ViewerState.h"

namespace tallyo {

inline constexpr Colour kVoltsColour = Rgb(255, 0, 0);
inline constexpr Colour kAmpsColour = Rgb(0, 255, 0);
inline constexpr Colour kWattsColour = Rgb(0, 0, 255);
inline constexpr Colour kRpmColour = Rgb(255, 255, 0);
inline constexpr Colour kSpeedColour = Rgb(255, 255, 255);
inline constexpr Colour kBandColour = Rgb(128, 128, 255);
inline constexpr Colour kZeroLineColour = Rgb(0, 255, 255);
inline constexpr Colour kDragLineColour = Rgb(255, 0, 0);

void DrawGraph(ViewerState& state, ChartControls& controls, DrawSurface& plot);

// Holds the Interval box to 10..120 seconds and keeps logInterval in step with it; the first
// step of every draw.
void LimitLogInterval(ViewerState& state, ChartControls& controls);

}  // namespace tallyo
