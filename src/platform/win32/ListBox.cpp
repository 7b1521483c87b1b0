#include "ListBox.h"

#include <algorithm>
#include <set>

#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

ListBox::ListBox(const ControlPlace& place) : Control(place) {
  Create(place, L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
         WS_EX_CLIENTEDGE);
}

void ListBox::Fill(const std::vector<std::string>& lines, bool keep) {
  HWND list = Handle();
  const auto count = [&] { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); };
  std::vector<std::string> shown;
  for (int i = 0; i < count(); ++i) shown.push_back(LineText(i));
  if (keep && shown == lines) return;
  const auto at = [&](const std::string& text) {
    const auto found = std::find(lines.begin(), lines.end(), text);
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
  };
  const int chosen = keep && Chosen() >= 0 ? at(LineText(Chosen())) : -1;
  RECT client{}, entry{};
  GetClientRect(list, &client);
  const bool chosenInView = chosen >= 0 &&
                            SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(Chosen()),
                                         reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
                            entry.top >= client.top && entry.bottom <= client.bottom;
  const int top =
      keep ? at(LineText(static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)))) : -1;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (!keep) SendMessageW(list, LB_RESETCONTENT, 0, 0);
  // The lines that stay keep their order, so the new ones go between them.
  const std::set<std::string> stay(lines.begin(), lines.end());
  for (int i = count(); i-- > 0;) {
    if (!stay.contains(LineText(i))) SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (static_cast<int>(i) < count() && LineText(static_cast<int>(i)) == lines[i]) continue;
    const std::wstring line = Widen(lines[i]);
    SendMessageW(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(line.c_str()));
  }
  // Choosing from the program sends no LBN_SELCHANGE; it brings the chosen line into view,
  // which is wanted only when it was in view before.
  if (top >= 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (top >= 0 && !chosenInView) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

int ListBox::Chosen() const {
  const LRESULT index = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::string ListBox::LineText(int index) const {
  const LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return Narrow(text);
}

}  // namespace tallyo
