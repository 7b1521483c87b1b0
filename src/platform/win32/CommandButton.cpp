#include "CommandButton.h"

#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

CommandButton::CommandButton(const ControlPlace& place, std::string_view caption) : Control(place) {
  Create(place, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
  SetWindowTextW(Handle(), Widen(caption).c_str());
}

void CommandButton::OnCommand(int code) {
  if (code == BN_CLICKED && onClick) onClick();
}

}  // namespace tallyo
