#pragma once
// What the file list and the directory list share: a LISTBOX of text lines.

#include <string>
#include <vector>

#include "Control.h"

namespace tallyo {

class ListBox : public Control {
 public:
  explicit ListBox(const ControlPlace& place);

 protected:
  // Replaces the lines (UTF-8), afresh with none chosen, or keeping the chosen line and the
  // line at the top where they are: only the lines that went are removed and those that
  // came are added. Reports nothing either way.
  void Fill(const std::vector<std::string>& lines, bool keep = false);
  // The chosen line, or -1.
  int Chosen() const;
  std::string LineText(int index) const;
};

}  // namespace tallyo
