#pragma once
// A push BUTTON whose click handling runs when it is clicked (by the mouse, the space bar
// or BM_CLICK).

#include <functional>
#include <string_view>

#include "Control.h"

namespace tallyo {

class CommandButton : public Control {
 public:
  CommandButton(const ControlPlace& place, std::string_view caption);

  std::function<void()> onClick;

  void OnCommand(int code) override;
};

}  // namespace tallyo
