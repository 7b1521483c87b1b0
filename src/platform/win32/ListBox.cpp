#include "ListBox.h"

#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

ListBox::ListBox(const ControlPlace& place) : Control(place) {
  Create(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
}

void ListBox::Fill(const std::vector<std::string>& lines, int chosen, int top, bool chosenInView) {
  HWND list = Handle();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  }
  // Choosing from the program sends no LBN_SELCHANGE; it brings the chosen line into view,
  // which is wanted only when it was in view before.
  if (top >= 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (top >= 0 && !chosenInView) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace tallyo
