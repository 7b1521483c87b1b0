#pragma once
// The viewer window: the day's file list, the time window, the DISPLAY command, the chart
// with its mouse handling, the series switches, the interval box and the summary labels.
// It owns the viewer's state, which lives exactly as long as the window.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "CheckBox.h"
#include "CommandButton.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "platform/NumberFormat.h"
#include "viewer/ViewerState.h"

namespace tallyo {

class Graph : public Form {
  TALLYO_FORM
 public:
  // Builds the window from its layout and runs its load handling. The logs folder is
  // the one inside the running program's folder.
  explicit Graph(Form* owner = nullptr);
  // The same with the logs folder inside programFolder (UTF-8).
  explicit Graph(std::string programFolder, Form* owner = nullptr);
  // The same with numbers in the given notation instead of the user's own.
  Graph(std::string programFolder, NumberFormat numberFormat, Form* owner = nullptr);
  ~Graph() override;

  const ViewerState& State() const { return *state_; }
  const std::string& ProgramFolderPath() const { return programFolder_; }

  // Event handlers, each run by its control's event.
  void Form_Load();
  void Dir1_Change();
  void File1_Click();
  void Command1_Click();
  void Command2_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Check6_Click();
  void Interval_Change();
  // x, y: the pointer in the chart's user scale; button and shift are not used.
  void Plot_MouseDown(int button, int shift, float x, float y);
  void Plot_MouseMove(int button, int shift, float x, float y);
  void Plot_MouseUp(int button, int shift, float x, float y);

 private:
  void BuildLayout();
  void ConnectHandlers();
  // The DISPLAY command as the DISPLAY button runs it.
  void Display();
  // The Interval box held to 10..120 s, then the chart and the labels that report it.
  void Redraw();
  void StoreSwitch(const CheckBox& box, std::int16_t& seriesSwitch);

  std::unique_ptr<ViewerState> state_;
  std::string programFolder_;

  // The controls the handlers use, named as in the layout.
  TextBox* Interval = nullptr;
  FileListBox* File1 = nullptr;
  DirListBox* Dir1 = nullptr;
  CheckBox* Check1 = nullptr;
  CheckBox* Check2 = nullptr;
  CheckBox* Check3 = nullptr;
  CheckBox* Check4 = nullptr;
  CheckBox* Check5 = nullptr;
  CheckBox* Check6 = nullptr;
  PictureBox* Plot = nullptr;
  CommandButton* Command1 = nullptr;
  CommandButton* Command2 = nullptr;
  TextBox* Time1h = nullptr;
  TextBox* Time1m = nullptr;
  TextBox* Time2h = nullptr;
  TextBox* Time2m = nullptr;
  Label* text1 = nullptr;
  Label* vv = nullptr;
  Label* av = nullptr;
  Label* wv = nullptr;
  Label* rv = nullptr;
  Label* sv = nullptr;
  // The labels that report each draw, in the order of SummaryLabel.
  std::array<Label*, 13> summary_{};
};

}  // namespace tallyo
