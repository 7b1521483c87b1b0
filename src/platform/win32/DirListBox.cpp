#include "DirListBox.h"

#include <utility>

#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

DirListBox::DirListBox(const ControlPlace& place) : ListBox(place) {}

void DirListBox::SetPath(std::string folder) {
  if (folder == path_) return;
  path_ = std::move(folder);
  Refill();
  if (onChange) onChange();
}

void DirListBox::Refill() {
  std::vector<std::wstring> lines{Widen(path_)};
  for (std::wstring& name : FolderEntries(path_, true)) lines.push_back(L"  " + name);
  Fill(lines);
  SendMessageW(Handle(), LB_SETCURSEL, 0, 0);
}

}  // namespace tallyo
