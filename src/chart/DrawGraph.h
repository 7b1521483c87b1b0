#pragma once
// The chart: what it is drawn with besides the records (the view, the interval the energy
// counts with, the series switches) and the rules that set it, and DrawGraph, which draws
// the view's records as curves, zero lines and M bands and finds what the labels report.

#include <cstdint>
#include <optional>

#include "chart/Summary.h"
#include "log/DayRecords.h"
#include "log/LoadLog.h"
#include "platform/DrawSurface.h"

namespace tallyo {

struct ChartView {
  std::int16_t logInterval = 0;  // seconds between two log records
  double viewStart = 0;          // in record-index units; during a drag the press's x
  double viewEnd = 0;
  std::int16_t zoomState = 0;  // 1 once a drag has narrowed the view
  // Each switch is on only when it is 1.
  std::int16_t refVoltsToZero = 0;
  std::int16_t showVolts = 0;
  std::int16_t showAmps = 0;
  std::int16_t showWatts = 0;
  std::int16_t showRpm = 0;
  std::int16_t showSpeed = 0;
};

// The view after a display: one that kept records shows all of them, 1 to recordCount.
// Records that were read anew, and a day left without records, are not zoomed; every
// other display leaves the view as it was.
inline void ViewAfterDisplay(ChartView& view, DisplayOutcome outcome, std::int16_t recordCount) {
  const bool loaded = outcome == DisplayOutcome::kLoaded;
  if (loaded || outcome == DisplayOutcome::kRecordLimit || recordCount == 0) view.zoomState = 0;
  if (loaded) {
    view.viewStart = 1;
    view.viewEnd = recordCount;
  }
}

// The energy total takes each record as one logging interval, so a draw counts with an
// interval the logger can have: the Interval box's value held to 10..120 s.
constexpr std::int16_t HeldInterval(std::int16_t value) {
  return value < 10 ? std::int16_t{10} : value > 120 ? std::int16_t{120} : value;
}

// Clears plot and, when the view spans at least one record step (viewStart below viewEnd),
// draws it and returns its summary, the energy counted with the view's logInterval as it
// stands. A shorter view leaves the chart empty and gives nothing.
std::optional<Summary> DrawGraph(const DayRecords& records, const ChartView& view,
                                 DrawSurface& plot);

}  // namespace tallyo
