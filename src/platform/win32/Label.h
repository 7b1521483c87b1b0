#pragma once
// A label: a STATIC control whose window text is its caption, so that screen readers and
// automation read it. It paints only its text, aligned to the top of its rectangle and
// never taken for a mnemonic, over what lies beneath it: the window's background, its
// lines and the text of the labels lower in the stacking order. A label with no caption
// therefore hides nothing.

#include <string>
#include <string_view>

#include "Control.h"
#include "platform/Toolkit.h"

namespace tallyo {

class Label : public Control {
 public:
  // The row's text colour, or kSystemColour for the button-text colour.
  explicit Label(const ControlPlace& place);

  void SetCaption(std::string_view caption);
  // UTF-8.
  std::string Caption() const;

  void OnDraw(DeviceContext dc) override;

 private:
  // This label's text on dc, whose origin is at the client point (x, y) of the window.
  void PaintCaption(DeviceContext dc, int x, int y) const;
};

static_assert(LabelControl<Label>);

}  // namespace tallyo
