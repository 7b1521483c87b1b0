#pragma once
// A check BUTTON whose click handling runs on every change of its tick: the user's click,
// or the program ticking or unticking it, in which case the handling runs at once,
// nested, before the setting returns. Setting the tick it already has runs nothing. The
// box fills its whole rectangle with its background colour; its caption breaks between
// words where CaptionWraps says so.

#include <functional>

#include "Control.h"
#include "platform/Toolkit.h"

namespace tallyo {

class CheckBox : public Control {
 public:
  // The row's text and background colours, or kSystemColour for the button-text and
  // button-face colours.
  explicit CheckBox(const ControlPlace& place);
  ~CheckBox() override;

  // 1 ticked, 0 not ticked.
  int Value() const;
  void SetValue(int value);

  std::function<void()> onClick;

  // Also lets the caption break onto a second line where CaptionWraps says so.
  void SetFont(FontHandle font) override;
  void OnCommand(int code) override;
  BrushHandle OnColour(DeviceContext dc) override;

 private:
  BrushHandle brush_ = nullptr;
};

static_assert(CheckBoxControl<CheckBox>);

}  // namespace tallyo
