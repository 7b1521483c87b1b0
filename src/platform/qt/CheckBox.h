#pragma once
// A check box whose click handling runs on every change of its tick: the user's click,
// or the program ticking or unticking it, in which case the handling runs at once,
// nested, before the setting returns. Setting the tick it already has runs nothing.
// The caption breaks between words where CaptionWraps says so.

#include <QCheckBox>
#include <functional>

#include "platform/Toolkit.h"

namespace tallyo {

class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit CheckBox(QWidget* parent = nullptr);

  // 1 ticked, 0 not ticked.
  int Value() const { return isChecked() ? 1 : 0; }
  void SetValue(int value) { setChecked(value != 0); }

  // The box fills its whole rectangle with background, unlike a label.
  void SetColours(const QColor& text, const QColor& background);

  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

static_assert(CheckBoxControl<CheckBox>);

}  // namespace tallyo
