#include "ListBox.h"

#include <algorithm>

#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

ListBox::ListBox(const ControlPlace& place) : Control(place) {
  Create(L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
}

void ListBox::Fill(const std::vector<std::string>& lines, bool keep) {
  HWND list = Handle();
  std::vector<std::string> shown(static_cast<std::size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
  for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = LineText(static_cast<int>(i));
  if (keep && shown == lines) return;
  // The chosen line and the one at the top are found again by their texts.
  const auto at = [&](int index) {
    const auto found = std::find(lines.begin(), lines.end(), LineText(index));
    return keep && index >= 0 && found != lines.end() ? found - lines.begin() : -1;
  };
  const auto chosen = at(Chosen());
  const auto top = at(static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)));
  RECT client{}, entry{};
  GetClientRect(list, &client);
  const bool chosenInView = chosen >= 0 &&
                            SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(Chosen()),
                                         reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
                            entry.top >= client.top && entry.bottom <= client.bottom;
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

// LB_ERR, when no line is chosen, is -1.
int ListBox::Chosen() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

std::string ListBox::LineText(int index) const {
  const LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return Utf8FromWide(text);
}

}  // namespace tallyo
