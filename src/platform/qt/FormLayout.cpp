#include "platform/FormLayout.h"

#include <QApplication>
#include <QPalette>
#include <vector>

#include "CheckBox.h"
#include "CommandButton.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "Fonts.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "QtColours.h"
#include "QtTwips.h"
#include "TextBox.h"

namespace tallyo {
namespace {

QColor ColourOr(Colour colour, QPalette::ColorRole systemRole) {
  return colour == kSystemColour ? QApplication::palette().color(systemRole) : ToQColor(colour);
}

Qt::Alignment ToQt(TextAlign align) {
  switch (align) {
    case TextAlign::kRight:
      return Qt::AlignRight;
    case TextAlign::kCentre:
      return Qt::AlignHCenter;
    case TextAlign::kLeft:
      break;
  }
  return Qt::AlignLeft;
}

QWidget* MakeControl(Form& form, const LayoutRow& row) {
  const QString caption = QString::fromLatin1(row.caption);
  switch (row.kind) {
    case ControlKind::kLabel: {
      auto* label = new Label(&form);
      label->setText(caption);
      label->SetAlignment(ToQt(row.align));
      if (row.text != kSystemColour) label->SetTextColour(ToQColor(row.text));
      return label;
    }
    case ControlKind::kTextBox: {
      auto* box = new TextBox(&form);
      box->setText(caption);
      return box;
    }
    case ControlKind::kCommandButton: {
      auto* button = new CommandButton(&form);
      button->setText(caption);
      return button;
    }
    case ControlKind::kCheckBox: {
      auto* box = new CheckBox(&form);
      box->setText(caption);
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

void BuildControls(Form& form, std::span<const LayoutRow> layout) {
  std::vector<QWidget*> labels;
  std::vector<QWidget*> windowed;
  for (const LayoutRow& row : layout) {
    if (row.kind == ControlKind::kLine) {
      form.AddLine(row.name, row.left, row.top, row.width, row.height);
      continue;
    }
    const QString name = QString::fromLatin1(row.name);
    QWidget* control = MakeControl(form, row);
    control->setObjectName(name);
    control->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
    if (row.font.face)
      control->setFont(LayoutFont(row.font.face, row.font.points, row.font.bold, row.font.italic));
    (row.kind == ControlKind::kLabel ? labels : windowed).push_back(control);
  }
  // Raising from the last row to the first leaves the first row on top.
  for (auto it = labels.rbegin(); it != labels.rend(); ++it) (*it)->raise();
  for (auto it = windowed.rbegin(); it != windowed.rend(); ++it) (*it)->raise();
}

}  // namespace tallyo
