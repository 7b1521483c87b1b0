#include "Control.h"

#include "Form.h"
#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {
namespace {

constexpr const wchar_t* kControlProperty = L"Tallyo.Control";

}  // namespace

Control* Control::Of(WindowHandle hwnd) {
  return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void Control::Detach() {
  if (hwnd_) RemovePropW(hwnd_, kControlProperty);
}

std::wstring Control::WindowText() const {
  const int n = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), n + 1)));
  return text;
}

void Control::Create(const ControlPlace& place, const wchar_t* windowClass, unsigned long style,
                     unsigned long exStyle, std::string_view text) {
  // Siblings clip each other, so the stacking order alone decides which one shows where
  // two overlap.
  hwnd_ = CreateWindowExW(
      exStyle, windowClass, Widen(text).c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
      place.x, place.y, place.width, place.height, place.form.Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), GetModuleHandleW(nullptr), this);
  if (!hwnd_) return;
  SetPropW(hwnd_, kControlProperty, this);
  // Each new control goes beneath the ones made before it.
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(place.form.WindowFont()), FALSE);
}

void Control::SetFont(FontHandle font) {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace tallyo
