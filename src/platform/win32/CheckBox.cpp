#include "CheckBox.h"

#include "Win32Api.h"

namespace tallyo {
namespace {

// The height of a line of the caption in font.
int LineHeight(HWND hwnd, HFONT font) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return metrics.tmHeight + metrics.tmExternalLeading;
}

}  // namespace

CheckBox::CheckBox(const ControlPlace& place) : Control(place) {
  Create(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, row_.caption);
  if (row_.background != kSystemColour) brush_ = CreateSolidBrush(row_.background);
  // The visual style draws a check box's text in the theme's colour; a box with colours
  // of its own is drawn the classic way, which takes them.
  if (row_.text != kSystemColour || row_.background != kSystemColour)
    SetWindowTheme(Handle(), L"", L"");
}

CheckBox::~CheckBox() {
  if (brush_) DeleteObject(brush_);
}

int CheckBox::Value() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(int value) {
  const int tick = value != 0 ? 1 : 0;
  if (tick == Value()) return;
  SendMessageW(Handle(), BM_SETCHECK, tick ? BST_CHECKED : BST_UNCHECKED, 0);
  if (onClick) onClick();
}

void CheckBox::SetFont(FontHandle font) {
  Control::SetFont(font);
  RECT r;
  GetClientRect(Handle(), &r);
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const bool tall = CaptionWraps(r.bottom - r.top, LineHeight(Handle(), font));
  SetWindowLongPtrW(Handle(), GWL_STYLE, tall ? style | BS_MULTILINE : style & ~BS_MULTILINE);
}

void CheckBox::OnCommand(int code) {
  if (code == BN_CLICKED && onClick) onClick();
}

BrushHandle CheckBox::OnColour(DeviceContext dc) {
  SetTextColor(dc, row_.text == kSystemColour ? GetSysColor(COLOR_BTNTEXT) : row_.text);
  const bool system = row_.background == kSystemColour;
  SetBkColor(dc, system ? GetSysColor(COLOR_BTNFACE) : row_.background);
  return system ? GetSysColorBrush(COLOR_BTNFACE) : brush_;
}

}  // namespace tallyo
