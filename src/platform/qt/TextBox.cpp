#include "TextBox.h"

namespace tallyo {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this](const QString&) {
    if (onChange) onChange();
  });
}

std::string TextBox::Text() const { return text().toStdString(); }

void TextBox::SetText(std::string_view text) {
  setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace tallyo
