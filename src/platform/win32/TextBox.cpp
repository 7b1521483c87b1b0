#include "TextBox.h"

#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

TextBox::TextBox(const ControlPlace& place, std::string_view text) : Control(place) {
  Create(place, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE);
  // Before any handler is connected: the layout's text is no change.
  SetWindowTextW(Handle(), Widen(text).c_str());
}

std::string TextBox::Text() const {
  const int n = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), n + 1)));
  return Narrow(text);
}

void TextBox::SetText(std::string_view text) {
  if (Text() == text) return;
  // A single-line edit control reports EN_CHANGE for WM_SETTEXT before the call returns.
  SetWindowTextW(Handle(), Widen(text).c_str());
}

void TextBox::OnCommand(int code) {
  if (code == EN_CHANGE && onChange) onChange();
}

}  // namespace tallyo
