#include "platform/CheckBox.h"

#include <QPalette>

namespace tallyo {

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, [this](bool) {
    if (onClick) onClick();
  });
}

void CheckBox::SetColours(const QColor& text, const QColor& background) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::ButtonText, text);
  pal.setColor(QPalette::Window, background);
  setPalette(pal);
  // A check box paints its whole rectangle, unlike a label.
  setAutoFillBackground(true);
}

}  // namespace tallyo
