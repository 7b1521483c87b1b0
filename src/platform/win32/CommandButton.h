#pragma once
// A push BUTTON whose click handling runs when it is clicked (by the mouse, the space bar
// or BM_CLICK).

#include <functional>

#include "Control.h"
#include "platform/Toolkit.h"

namespace tallyo {

class CommandButton : public Control {
 public:
  explicit CommandButton(const ControlPlace& place);

  std::function<void()> onClick;

  void OnCommand(int code) override;
};

static_assert(CommandButtonControl<CommandButton>);

}  // namespace tallyo
