// The controls of a window from its layout table, as Qt widgets.

#include <QApplication>
#include <QPalette>

#include "CheckBox.h"
#include "CommandButton.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "Fonts.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "QtLayout.h"
#include "TextBox.h"

namespace tallyo {
namespace {

QColor ColourOr(Colour colour, QPalette::ColorRole systemRole) {
  return colour == kSystemColour ? QApplication::palette().color(systemRole) : ToQColor(colour);
}

Qt::Alignment ToQt(TextAlign align) {
  return align == TextAlign::kRight    ? Qt::AlignRight
         : align == TextAlign::kCentre ? Qt::AlignHCenter
                                       : Qt::AlignLeft;
}

template <class T>
T* WithCaption(Form& form, const LayoutRow& row) {
  auto* control = new T(&form);
  control->setText(QString::fromUtf8(row.caption));
  return control;
}

QWidget* MakeControl(Form& form, const LayoutRow& row) {
  switch (row.kind) {
    case ControlKind::kLabel: {
      auto* label = new Label(&form);
      label->SetCaption(row.caption);
      label->SetAlignment(ToQt(row.align));
      label->SetTextColour(ColourOr(row.text, QPalette::ButtonText));
      return label;
    }
    case ControlKind::kTextBox:
      return WithCaption<TextBox>(form, row);
    case ControlKind::kCommandButton:
      return WithCaption<CommandButton>(form, row);
    case ControlKind::kCheckBox: {
      auto* box = WithCaption<CheckBox>(form, row);
      box->SetColours(ColourOr(row.text, QPalette::ButtonText),
                      ColourOr(row.background, QPalette::Button));
      return box;
    }
    case ControlKind::kFileList: {
      auto* list = new FileListBox(&form);
      list->SetPattern(row.caption);
      return list;
    }
    case ControlKind::kDirList:
      return new DirListBox(&form);
    case ControlKind::kPictureBox: {
      auto* picture = new PictureBox(&form);
      if (row.background != kSystemColour) picture->SetBackground(row.background);
      return picture;
    }
    case ControlKind::kLine:
      break;
  }
  return nullptr;
}

}  // namespace

void Form::AddControl(const LayoutRow& row, std::size_t /*index*/) {
  QWidget* control = MakeControl(*this, row);
  control->setObjectName(QString::fromUtf8(row.name));
  control->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
  if (row.font.face) control->setFont(LayoutFont(row.font));
  control->lower();
}

}  // namespace tallyo
