#pragma once
// The directory list's rule, written once for every toolkit: it holds one folder and
// reports each change of it, and shows the folder and, indented, the folders inside it. A
// toolkit's directory list derives from this class and only shows the lines it is given.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FolderListing.h"

namespace tallyo {

class DirList {
 public:
  virtual ~DirList() = default;

  // Setting a different folder (UTF-8) runs the change handling at once, nested; setting
  // the same folder again runs nothing. A folder that does not exist is held all the same
  // and shows no subfolders.
  void SetPath(std::string folder) {
    if (folder == path_) return;
    path_ = std::move(folder);
    std::vector<std::string> lines{path_};
    for (const std::string& name : ListFolder(path_, EntryKind::kFolders))
      lines.push_back("  " + name);
    ShowLines(lines);
    if (onChange) onChange();
  }
  const std::string& Path() const { return path_; }

  std::function<void()> onChange;

 protected:
  // Shows lines (UTF-8) in place of those shown, the first one chosen.
  virtual void ShowLines(const std::vector<std::string>& lines) = 0;

 private:
  std::string path_;
};

}  // namespace tallyo
