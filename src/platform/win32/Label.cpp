#include "Label.h"

#include <algorithm>

#include "Form.h"
#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {
namespace {

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

Label::Label(const ControlPlace& place) : Control(place) {
  // Drawn by the label itself (WM_DRAWITEM), since a system label fills its rectangle.
  Create(L"STATIC", SS_OWNERDRAW, 0, row_.caption);
}

void Label::SetCaption(std::string_view caption) {
  const std::wstring text = Widen(caption);
  if (WindowText() == text) return;
  SetWindowTextW(Handle(), text.c_str());
  InvalidateRect(Handle(), nullptr, FALSE);
  // The labels above this one show its text where they overlap it.
  const RECT mine = Place();
  for (const auto& control : form_.Controls()) {
    if (control.get() == this) break;
    if (dynamic_cast<Label*>(control.get()) && Overlap(control->Place(), mine))
      InvalidateRect(control->Handle(), nullptr, FALSE);
  }
}

std::string Label::Caption() const { return Utf8FromWide(WindowText()); }

void Label::OnDraw(DeviceContext dc) {
  const RECT mine = Place();
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  // Drawn off screen and copied at once, so that a changing caption does not flicker.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1));
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  form_.PaintSurface(memory, mine.left, mine.top, width, height);
  // From the bottom of the stacking order up to this label.
  const auto& controls = form_.Controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const auto* label = dynamic_cast<const Label*>(it->get());
    if (label == this || (label && Overlap(label->Place(), mine)))
      label->PaintCaption(memory, mine.left, mine.top);
    if (label == this) break;
  }
  BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void Label::PaintCaption(DeviceContext dc, int x, int y) const {
  const std::wstring text = WindowText();
  if (text.empty()) return;
  RECT r = Place();
  OffsetRect(&r, -x, -y);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  SetTextColor(dc, row_.text == kSystemColour ? GetSysColor(COLOR_BTNTEXT) : row_.text);
  SetBkMode(dc, TRANSPARENT);
  // One line, cut at the label's edges rather than broken onto lines below it.
  UINT format = DT_SINGLELINE | DT_TOP | DT_NOPREFIX;
  format |= row_.align == TextAlign::kRight    ? DT_RIGHT
            : row_.align == TextAlign::kCentre ? DT_CENTER
                                               : DT_LEFT;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  RestoreDC(dc, saved);
}

}  // namespace tallyo
