#include "platform/FormLayout.h"

#include <QApplication>
#include <QPalette>
#include <vector>

#include "platform/CheckBox.h"
#include "platform/Colours.h"
#include "platform/CommandButton.h"
#include "platform/DirListBox.h"
#include "platform/FileListBox.h"
#include "platform/Fonts.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/TextBox.h"
#include "platform/Twips.h"

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

QWidget* MakeControl(Form& form, const ControlSpec& spec) {
  const QString caption = QString::fromLatin1(spec.caption);
  switch (spec.kind) {
    case ControlKind::kLabel: {
      auto* label = new Label(&form);
      label->setText(caption);
      label->SetAlignment(ToQt(spec.align));
      if (spec.text != kSystemColour) label->SetTextColour(ToQColor(spec.text));
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
      box->SetColours(ColourOr(spec.text, QPalette::ButtonText),
                      ColourOr(spec.background, QPalette::Button));
      return box;
    }
    case ControlKind::kFileList: {
      auto* list = new FileListBox(&form);
      list->SetPattern(caption);
      return list;
    }
    case ControlKind::kDirList:
      return new DirListBox(&form);
    case ControlKind::kPictureBox: {
      auto* picture = new PictureBox(&form);
      if (spec.background != kSystemColour) picture->SetBackground(spec.background);
      return picture;
    }
    case ControlKind::kLine:
      break;
  }
  return nullptr;
}

}  // namespace

void BuildControls(Form& form, std::span<const ControlSpec> layout) {
  std::vector<QWidget*> labels;
  std::vector<QWidget*> windowed;
  for (const ControlSpec& spec : layout) {
    const QString name = QString::fromLatin1(spec.name);
    if (spec.kind == ControlKind::kLine) {
      form.AddLine(name, spec.left, spec.top, spec.width, spec.height);
      continue;
    }
    QWidget* control = MakeControl(form, spec);
    control->setObjectName(name);
    control->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
    if (spec.font.face)
      control->setFont(
          LayoutFont(spec.font.face, spec.font.points, spec.font.bold, spec.font.italic));
    (spec.kind == ControlKind::kLabel ? labels : windowed).push_back(control);
  }
  // Raising from the last row to the first leaves the first row on top.
  for (auto it = labels.rbegin(); it != labels.rend(); ++it) (*it)->raise();
  for (auto it = windowed.rbegin(); it != windowed.rend(); ++it) (*it)->raise();
}

}  // namespace tallyo
