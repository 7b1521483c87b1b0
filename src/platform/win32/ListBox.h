#pragma once
// What the file list and the directory list share: a LISTBOX of text lines, filled from
// the entries of one folder.

#include <string>
#include <vector>

#include "Control.h"

namespace tallyo {

class ListBox : public Control {
 public:
  explicit ListBox(const ControlPlace& place);

 protected:
  // Replaces the lines; none is chosen afterwards.
  void Fill(const std::vector<std::wstring>& lines);
  // The chosen line, or -1.
  int Chosen() const;
  std::wstring LineText(int index) const;
};

// The names of folder's entries (UTF-8 path) that are folders (folders true) or files
// (false), leaving out hidden and system entries and "." and "..". Sorted by name without
// regard to case. A folder that is missing or cannot be read gives none.
std::vector<std::wstring> FolderEntries(const std::string& folder, bool folders);

}  // namespace tallyo
