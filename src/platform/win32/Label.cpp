#include "Label.h"

#include "Form.h"
#include "WideText.h"
#include "Win32Api.h"

namespace tallyo {
namespace {

DWORD AlignStyle(TextAlign align) {
  switch (align) {
    case TextAlign::kRight:
      return SS_RIGHT;
    case TextAlign::kCentre:
      return SS_CENTER;
    case TextAlign::kLeft:
      break;
  }
  // Text that does not fit is cut at the right edge rather than broken onto lines below.
  return SS_LEFTNOWORDWRAP;
}

}  // namespace

Label::Label(const ControlPlace& place, std::string_view caption, TextAlign align, Colour text)
    : Control(place), form_(place.form), text_(text) {
  Create(place, L"STATIC", AlignStyle(align) | SS_NOPREFIX);
  SetCaption(caption);
}

void Label::SetCaption(std::string_view caption) {
  SetWindowTextW(Handle(), Widen(caption).c_str());
}

std::string Label::Caption() const {
  const int n = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), n + 1)));
  return Narrow(text);
}

BrushHandle Label::OnColour(DeviceContext dc) {
  SetTextColor(dc, text_ == kSystemColour ? GetSysColor(COLOR_BTNTEXT) : text_);
  SetBkMode(dc, TRANSPARENT);
  // The window's own background: the label paints nothing but its text over it.
  return form_.BackgroundBrush();
}

}  // namespace tallyo
