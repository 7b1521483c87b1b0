#pragma once
// A directory list: holds one folder and reports each change of it. It shows the folder
// and the folders inside it.

#include <functional>
#include <string>

#include "ListBox.h"

namespace tallyo {

class DirListBox : public ListBox {
 public:
  using ListBox::ListBox;

  // Setting a different folder (UTF-8) runs the change handling at once, nested; setting
  // the same folder again runs nothing. A folder that does not exist is held all the same
  // and shows no subfolders.
  void SetPath(std::string folder);
  const std::string& Path() const { return path_; }

  std::function<void()> onChange;

 private:
  std::string path_;
};

}  // namespace tallyo
