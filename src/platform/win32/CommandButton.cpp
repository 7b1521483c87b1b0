#include "CommandButton.h"

#include "Win32Api.h"

namespace tallyo {

CommandButton::CommandButton(const ControlPlace& place, std::string_view caption) : Control(place) {
  Create(place, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, caption);
}

void CommandButton::OnCommand(int code) {
  if (code == BN_CLICKED && onClick) onClick();
}

}  // namespace tallyo
