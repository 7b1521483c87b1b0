#include "ListBox.h"

#include <algorithm>
#include <utility>
#include <variant>

#include "Utf16.h"
#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

ListBox::ListBox(const ControlPlace& place) : Control(place) {
  Create(place, L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
         WS_EX_CLIENTEDGE);
}

void ListBox::Fill(const std::vector<std::wstring>& lines) {
  HWND list = Handle();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& line : lines)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

int ListBox::Chosen() const {
  const LRESULT index = SendMessageW(Handle(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::wstring ListBox::LineText(int index) const {
  const LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}

std::vector<std::wstring> FolderEntries(const std::string& folder, bool folders) {
  std::vector<std::wstring> names;
  if (folder.empty()) return names;
  auto path = SystemPath(folder);
  if (!std::holds_alternative<std::wstring>(path)) return names;
  std::wstring pattern = std::get<std::wstring>(std::move(path));
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const DWORD a = found.dwFileAttributes;
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    if (((a & FILE_ATTRIBUTE_DIRECTORY) != 0) != folders) continue;
    names.emplace_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    const int order = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                           static_cast<int>(b.size()), TRUE);
    return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : a < b;
  });
  return names;
}

}  // namespace tallyo
