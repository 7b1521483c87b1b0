// The controls of a window from its layout table.
//
// Control IDs (GetDlgCtrlID) are 100 plus the control's row in its window's table,
// counted from 1 with the lines among them, so that automation and screen readers find
// every control by a number that does not change:
//
//   Graph       101 Interval   102 File1     103 Dir1      104 Check6    105 Check5
//               106 Check4     107 Check3    108 Check2    109 Check1    110 Plot
//               111 Command2   112 Time1h    113 Time2h    114 Command1  115 Time2m
//               116 Time1m     117 Label10   118 Label9    119 watts     120 text1
//               121 Label7    (122 Line3)    123 sv        124 SMax1     125 SMin1
//               126 rv         127 vt        128 wv        129 av        130 vv
//               131 ftime      132 stime     133 RMin1     134 RMax1     135 WMin1
//               136 WMax1      137 AMin1     138 AMax1     139 VMin1     140 VMax1
//               141 Label3     142 Label2    143 Label5    144 Label4    145 Label1
//               146 Label6     147 Label8    148 Label15
//   Frontpiece  101 Exit       102 Label1    103 txtMode  (104 Line2)   (105 Line1)
//               106 Label11   (107 Line10)  (108 Line3)
//
// The lines have no window and so no ID; they are painted on the window's surface.

#include "platform/FormLayout.h"

#include <memory>

#include "CheckBox.h"
#include "CommandButton.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "TextBox.h"

namespace tallyo {
namespace {

constexpr int kFirstControlId = 101;

std::unique_ptr<Control> MakeControl(const ControlPlace& place) {
  switch (place.row.kind) {
    case ControlKind::kLabel:
      return std::make_unique<Label>(place);
    case ControlKind::kTextBox:
      return std::make_unique<TextBox>(place);
    case ControlKind::kCommandButton:
      return std::make_unique<CommandButton>(place);
    case ControlKind::kCheckBox:
      return std::make_unique<CheckBox>(place);
    case ControlKind::kFileList:
      return std::make_unique<FileListBox>(place);
    case ControlKind::kDirList:
      return std::make_unique<DirListBox>(place);
    case ControlKind::kPictureBox:
      return std::make_unique<PictureBox>(place);
    case ControlKind::kLine:
      break;
  }
  return nullptr;
}

}  // namespace

void BuildControls(Form& form, std::span<const LayoutRow> layout) {
  for (const LayoutRow& row : layout)
    if (row.kind == ControlKind::kLine) form.AddLine(row.left, row.top, row.width, row.height);
  for (const std::size_t i : StackingOrder(layout)) {
    Control& control =
        form.Adopt(MakeControl({form, layout[i], kFirstControlId + static_cast<int>(i)}));
    control.SetFont(form.Font(layout[i].font));
  }
}

}  // namespace tallyo
