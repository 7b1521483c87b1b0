#pragma once
// A single-line text box whose change handling runs on every change of its text, by
// the user's typing or by the program setting it; a change made from inside the handling
// runs the handling again at once, nested.

#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Toolkit.h"

namespace tallyo {

class TextBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit TextBox(QWidget* parent = nullptr) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
      if (onChange) onChange();
    });
  }

  std::string Text() const { return text().toStdString(); }
  // Setting the text it already holds is no change and runs nothing.
  void SetText(std::string_view text) { setText(QString::fromUtf8(text)); }

  std::function<void()> onChange;
};

static_assert(TextBoxControl<TextBox>);

}  // namespace tallyo
