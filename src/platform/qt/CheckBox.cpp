#include "CheckBox.h"

#include <QPalette>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/FormLayout.h"

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
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);
}

void CheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  // The style draws the indicator (and the focus frame); the caption is drawn here so
  // that it can break between words like the layouts' check boxes do.
  option.text.clear();
  painter.drawControl(QStyle::CE_CheckBox, option);
  option.text = caption;
  const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
  if (CaptionWraps(height(), fontMetrics().lineSpacing())) flags |= Qt::TextWordWrap;
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(textRect, flags, caption);
}

}  // namespace tallyo
