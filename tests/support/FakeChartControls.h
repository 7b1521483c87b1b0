#pragma once
// The viewer window's controls as DrawGraph sees them, for tests: the thirteen labels and
// the Interval box, whose change handling runs nested inside SetIntervalText as the real
// box's does.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartControls.h"
#include "platform/TextRules.h"
#include "viewer/ViewerState.h"

namespace tallyo::test {

class FakeChartControls : public ChartControls {
 public:
  explicit FakeChartControls(ViewerState& state) : state_(state) {}

  std::string IntervalText() const override { return intervalText; }

  // As the program sets the box: the change handling runs before this returns.
  void SetIntervalText(std::string_view text) override {
    setIntervalTexts.emplace_back(text);
    if (onSetIntervalText) onSetIntervalText(text);
    intervalText = std::string(text);
    IntervalChange();
  }

  void SetCaption(SummaryLabel label, std::string_view caption) override {
    captions[static_cast<int>(label)] = std::string(caption);
    captionOrder.push_back(label);
  }

  // The box's change handling: a number (by the box's reading, in the state's notation)
  // goes into logInterval; anything else is replaced by "10", which runs this handling again.
  void IntervalChange() {
    if (auto value = ParseIntervalText(intervalText, state_.numberFormat)) {
      state_.logInterval = *value;
    } else {
      SetIntervalText("10");
    }
  }

  const std::string& Caption(SummaryLabel label) const { return captions[static_cast<int>(label)]; }

  // Sets the text as a typing user would, without the program's nested handling; a test
  // calls IntervalChange itself when it wants it.
  std::string intervalText = "10";
  // The initial captions of the window.
  std::array<std::string, 13> captions = {"Start", "Finish", "0", "0", "0", "0", "0",
                                          "0",     "0",      "0", "0", "0", "Wh"};
  std::vector<SummaryLabel> captionOrder;
  std::vector<std::string> setIntervalTexts;
  // Runs inside SetIntervalText before the text changes, e.g. to check what else has
  // happened by then.
  std::function<void(std::string_view)> onSetIntervalText;

 private:
  ViewerState& state_;
};

}  // namespace tallyo::test
