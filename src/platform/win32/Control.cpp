#include "Control.h"

#include "Form.h"
#include "Win32Api.h"
#include "platform/windows/WideText.h"

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

RECT Control::Place() const {
  return {form_.PixelsX(row_.left), form_.PixelsY(row_.top), form_.PixelsX(row_.left + row_.width),
          form_.PixelsY(row_.top + row_.height)};
}

void Control::Create(const wchar_t* windowClass, unsigned long style, unsigned long exStyle,
                     std::string_view text) {
  const RECT r = Place();
  // Siblings clip each other, so the stacking order alone decides which one shows where
  // two overlap.
  hwnd_ = CreateWindowExW(
      exStyle, windowClass, Widen(text).c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
      r.left, r.top, r.right - r.left, r.bottom - r.top, form_.Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), this);
  if (!hwnd_) CannotMakeWindow(GetLastError());
  SetPropW(hwnd_, kControlProperty, this);
  // Each new control goes beneath the ones made before it.
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.WindowFont()), FALSE);
}

void Control::Rescale() {
  const RECT r = Place();
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetFont(form_.Font(row_.font));
  OnRescaled();
}

void Control::SetFont(FontHandle font) {
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace tallyo
