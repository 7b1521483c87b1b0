#pragma once
// The directory list (platform/DirList.h) as a LISTBOX.

#include <string>
#include <vector>

#include "ListBox.h"
#include "platform/DirList.h"
#include "platform/Toolkit.h"

namespace tallyo {

class DirListBox : public ListBox, public DirList {
 public:
  using ListBox::ListBox;

 protected:
  void ShowLines(const std::vector<std::string>& lines) override { Fill(lines, 0, -1, false); }
};

static_assert(DirListBoxControl<DirListBox>);

}  // namespace tallyo
