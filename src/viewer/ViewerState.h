#pragma once
// The one body of state of the viewer window, made of the parts each layer keeps: the
// records of the last display (log/), the chart's view and switches and what the last draw
// found (chart/), the mouse and the user's notation. Plain data, read and written directly
// by every command of the viewer; created with the window, all zero.

#include <cstdint>

#include "chart/DrawGraph.h"
#include "chart/Summary.h"
#include "log/DayRecords.h"
#include "platform/NumberFormat.h"

namespace tallyo {

struct ViewerState : DayRecords, WorkingValues, ChartView {
  std::int16_t mouseIsDown = 0;

  // The user's notation for the numbers of the labels, the readout and the Interval box;
  // the plain one until the window sets the system's. The log files do not use it.
  NumberFormat numberFormat;
};

}  // namespace tallyo
