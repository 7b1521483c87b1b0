#include "CommandButton.h"

#include "Win32Api.h"

namespace tallyo {

CommandButton::CommandButton(const ControlPlace& place) : Control(place) {
  Create(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, row_.caption);
}

void CommandButton::OnCommand(int code) {
  if (code == BN_CLICKED && onClick) onClick();
}

}  // namespace tallyo
