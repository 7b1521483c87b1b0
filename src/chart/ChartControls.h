#pragma once
// The controls of the viewer window that DrawGraph writes, seen from the chart.

#include <string>
#include <string_view>

namespace tallyo {

// The thirteen summary labels, in the order a draw writes them.
// clang-format off
enum class SummaryLabel {
  stime, ftime,
  VMax1, VMin1, AMax1, AMin1, WMax1, WMin1, RMax1, RMin1, SMax1, SMin1,
  watts,
};
// clang-format on

class ChartControls {
 public:
  virtual ~ChartControls() = default;
  virtual std::string IntervalText() const = 0;
  // Sets the Interval box's text; the box's change handling (Interval_Change) runs at
  // once, nested, before this returns.
  virtual void SetIntervalText(std::string_view text) = 0;
  virtual void SetCaption(SummaryLabel label, std::string_view caption) = 0;
};

}  // namespace tallyo
