#pragma once
// A single-line EDIT control whose change handling runs on every change of its text, by
// the user's typing or by the program setting it; a change made from inside the handling
// runs the handling again at once, nested.

#include <functional>
#include <string>
#include <string_view>

#include "Control.h"
#include "platform/Toolkit.h"

namespace tallyo {

class TextBox : public Control {
 public:
  explicit TextBox(const ControlPlace& place);

  // UTF-8.
  std::string Text() const;
  // Setting the text it already holds is no change and runs nothing.
  void SetText(std::string_view text);

  std::function<void()> onChange;

  void OnCommand(int code) override;
};

static_assert(TextBoxControl<TextBox>);

}  // namespace tallyo
