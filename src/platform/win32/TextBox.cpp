#include "TextBox.h"

#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

TextBox::TextBox(const ControlPlace& place) : Control(place) {
  // Before any handler is connected: the layout's text is no change.
  Create(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, row_.caption);
}

std::string TextBox::Text() const { return Utf8FromWide(WindowText()); }

void TextBox::SetText(std::string_view text) {
  if (Text() == text) return;
  // A single-line edit control reports EN_CHANGE for WM_SETTEXT before the call returns.
  SetWindowTextW(Handle(), Widen(text).c_str());
}

void TextBox::OnCommand(int code) {
  if (code == EN_CHANGE && onChange) onChange();
}

}  // namespace tallyo
