#include "DirListBox.h"

#include <utility>

#include "Win32Api.h"
#include "platform/FolderListing.h"

namespace tallyo {

void DirListBox::SetPath(std::string folder) {
  if (folder == path_) return;
  path_ = std::move(folder);
  std::vector<std::string> lines{path_};
  for (const std::string& name : ListFolder(path_, EntryKind::kFolders))
    lines.push_back("  " + name);
  Fill(lines);
  SendMessageW(Handle(), LB_SETCURSEL, 0, 0);
  if (onChange) onChange();
}

}  // namespace tallyo
