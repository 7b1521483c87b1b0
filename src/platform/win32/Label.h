#pragma once
// A label: a STATIC control whose window text is its caption, so that screen readers and
// automation read it. Only its text is painted, over the window's own background, aligned
// to the top of its rectangle; the text is never taken for a mnemonic.

#include <string>
#include <string_view>

#include "Control.h"
#include "platform/DrawSurface.h"
#include "platform/FormLayout.h"

namespace tallyo {

class Label : public Control {
 public:
  // text: the text colour, or kSystemColour for the button-text colour.
  Label(const ControlPlace& place, std::string_view caption, TextAlign align, Colour text);

  void SetCaption(std::string_view caption);
  // UTF-8.
  std::string Caption() const;

  BrushHandle OnColour(DeviceContext dc) override;

 private:
  Form& form_;
  Colour text_;
};

}  // namespace tallyo
