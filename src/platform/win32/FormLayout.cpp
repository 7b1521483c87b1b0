// The controls of a window from its layout table, as child windows.
//
// Control IDs (GetDlgCtrlID) are 100 plus the control's row in its window's table,
// counted from 1 with the lines among them, so that automation and screen readers find
// every control by a number that does not change (docs/DEVELOPING.md lists them). The
// lines have no window and so no ID; they are painted on the window's surface.

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

void Form::AddControl(const LayoutRow& row, std::size_t index) {
  controls_.push_back(MakeControl({*this, row, kFirstControlId + static_cast<int>(index)}));
  controls_.back()->SetFont(Font(row.font));
}

}  // namespace tallyo
