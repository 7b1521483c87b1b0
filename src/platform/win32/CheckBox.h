#pragma once
// A check BUTTON whose click handling runs on every change of its tick: the user's click,
// or the program ticking or unticking it, in which case the handling runs at once,
// nested, before the setting returns. Setting the tick it already has runs nothing. The
// box fills its whole rectangle with its background colour; its caption breaks between
// words where CaptionWraps says so.

#include <functional>
#include <string_view>

#include "Control.h"
#include "platform/DrawSurface.h"

namespace tallyo {

class CheckBox : public Control {
 public:
  // text, background: colours, or kSystemColour for the button-text and button-face
  // colours.
  CheckBox(const ControlPlace& place, std::string_view caption, Colour text, Colour background);
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
  Colour text_, background_;
  BrushHandle brush_ = nullptr;
};

}  // namespace tallyo
