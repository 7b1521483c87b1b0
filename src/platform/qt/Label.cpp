#include "Label.h"

#include <QApplication>
#include <QPalette>

namespace tallyo {

Label::Label(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(false);
  setTextFormat(Qt::PlainText);
  // Text that does not fit is cut at the label's edges rather than pushed onto lines
  // below the rectangle.
  setWordWrap(false);
  setMargin(0);
  setIndent(0);
  setFocusPolicy(Qt::NoFocus);
  SetAlignment(Qt::AlignLeft);
  SetTextColour(QApplication::palette().color(QPalette::ButtonText));
}

void Label::SetAlignment(Qt::Alignment horizontal) {
  setAlignment((horizontal & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
}

void Label::SetTextColour(const QColor& colour) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, colour);
  pal.setColor(QPalette::Text, colour);
  setPalette(pal);
}

void Label::SetCaption(std::string_view caption) {
  setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

}  // namespace tallyo
