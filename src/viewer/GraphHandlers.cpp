// The viewer's event handlers: load, file choice and DISPLAY, exit, the series switches,
// the interval box, and the mouse on the chart.

#include <cmath>
#include <string>

#include "MessageBox.h"
#include "chart/DrawGraph.h"
#include "chart/ViewLoop.h"
#include "log/LoadLog.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"
#include "platform/Path.h"
#include "platform/Rounding.h"
#include "platform/TextRules.h"
#include "viewer/Graph.h"

namespace tallyo {

void Graph::Form_Load() {
  ViewerState& s = *state_;
  // A logs folder that does not exist is held all the same: the file list stays empty
  // and DISPLAY asks for a file. A folder that goes after a file was chosen is reported
  // by DISPLAY as a file it cannot open.
  Dir1->SetPath(JoinPath(programFolder_, "logs"));
  s.viewStart = 0;
  s.viewEnd = 0;
  s.mouseIsDown = 0;
  if (const auto interval = ParseIntervalText(Interval->Text(), s.numberFormat)) {
    s.logInterval = *interval;
  }
  // Each tick runs its box's click handling at once; nothing is drawn yet.
  Check1->SetValue(1);
  Check2->SetValue(1);
  Check3->SetValue(1);
  Check6->SetValue(1);
  s.refVoltsToZero = 1;
  s.showVolts = 1;
  s.showAmps = 1;
  s.showWatts = 1;
}

void Graph::Dir1_Change() { File1->SetPath(Dir1->Path()); }

void Graph::File1_Click() {
  text1->SetCaption(File1->FileName());
  Time1h->SetText("00");
  Time2h->SetText("23");
  Time1m->SetText("00");
  Time2m->SetText("59");
  Display();
}

void Graph::Command1_Click() { Display(); }

void Graph::Display() {
  const std::string time1h = Time1h->Text();
  const std::string time1m = Time1m->Text();
  const std::string time2h = Time2h->Text();
  const std::string time2m = Time2m->Text();
  const std::string fileName = text1->Caption();
  ViewerState& s = *state_;
  const DisplayResult result =
      LoadLog(s, DisplayRequest{time1h, time1m, time2h, time2m, fileName, programFolder_});
  ViewAfterDisplay(s, result.outcome, s.recordCount);
  if (result.outcome == DisplayOutcome::kLoaded) {
    Redraw();
  } else if (!result.message.empty()) {
    ShowMessage(this, result.message);
  }
}

void Graph::Redraw() {
  ViewerState& s = *state_;
  if (const auto value = ParseIntervalText(Interval->Text(), s.numberFormat)) {
    s.logInterval = HeldInterval(*value);
    // "10" or "120" (9.5 stays): Interval_Change runs at once, nested, and stores it too.
    if (s.logInterval != *value) Interval->SetText(std::to_string(s.logInterval));
  }
  const std::optional<Summary> summary = DrawGraph(s, s, *Plot);
  // A view too short to draw leaves the labels and the working values as they were.
  if (!summary) return;
  static_cast<WorkingValues&>(s) = *summary;
  for (std::size_t i = 0; i < summary_.size(); ++i) {
    summary_[i]->SetCaption(SummaryCaption(*summary, static_cast<SummaryLabel>(i), s.numberFormat));
  }
}

void Graph::Command2_Click() { Close(); }

void Graph::StoreSwitch(const CheckBox& box, std::int16_t& seriesSwitch) {
  seriesSwitch = static_cast<std::int16_t>(box.Value());
  // With fewer than two records there is no chart to redraw; a zoomed view stays zoomed.
  if (state_->recordCount > 1) Redraw();
}

void Graph::Check1_Click() { StoreSwitch(*Check1, state_->showVolts); }
void Graph::Check2_Click() { StoreSwitch(*Check2, state_->showAmps); }
void Graph::Check3_Click() { StoreSwitch(*Check3, state_->showWatts); }
void Graph::Check4_Click() { StoreSwitch(*Check4, state_->showRpm); }
void Graph::Check5_Click() { StoreSwitch(*Check5, state_->showSpeed); }
void Graph::Check6_Click() { StoreSwitch(*Check6, state_->refVoltsToZero); }

void Graph::Interval_Change() {
  if (const auto interval = ParseIntervalText(Interval->Text(), state_->numberFormat)) {
    state_->logInterval = *interval;
  } else {
    // Runs this handling again, nested, which stores 10.
    Interval->SetText("10");
  }
}

void Graph::Plot_MouseDown(int, int, float x, float) {
  ViewerState& s = *state_;
  s.mouseIsDown = 1;
  // The press's chart x is kept as it is, not turned into a record index.
  if (s.zoomState == 0 && s.recordCount > 1) s.viewStart = x;
}

void Graph::Plot_MouseUp(int, int, float x, float) {
  ViewerState& s = *state_;
  s.mouseIsDown = 0;
  if (s.zoomState == 0 && s.viewStart < x && s.recordCount > 1) {
    s.viewEnd = x;
    s.zoomState = 1;
    Redraw();
  }
}

void Graph::Plot_MouseMove(int, int, float x, float) {
  ViewerState& s = *state_;
  if (s.recordCount <= 1) return;
  // The record under the pointer: the whole chart unit left of it, shifted by the view's
  // start, then rounded half to even like every record index.
  const double index = RoundHalfEven(std::floor(static_cast<double>(x)) + s.viewStart);
  // The series end at 10000; a pointer beyond them (a drag past the chart's edges, or a
  // view kept from before a display stopped at the record limit) leaves the readout.
  if (InSeries(index)) {
    const auto k = static_cast<std::size_t>(index);
    auto show = [&s](Label* label, double value, const char* unit) {
      label->SetCaption(PlainNumber(RoundTo2HalfEven(value), s.numberFormat) + unit);
    };
    show(vv, s.voltsSeries[k], " V");
    show(av, s.ampsSeries[k], " A");
    show(wv, s.wattsSeries[k], " W");
    show(rv, s.rpmSeries[k], " RPM");
    show(sv, s.speedSeries[k], " ");
  }
  if (s.zoomState == 0 && s.mouseIsDown == 1) {
    // The drag lines pile up along the top edge until the next redraw clears them.
    Plot->Line(static_cast<float>(s.viewStart), 0, x, 0, kRed);
    Plot->Flush();
  }
}

}  // namespace tallyo
