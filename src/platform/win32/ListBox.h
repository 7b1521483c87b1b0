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
  // line at the top where they are (nothing changes when the lines are the same). Reports
  // nothing either way.
  void Fill(const std::vector<std::string>& lines, bool keep = false);
  // The chosen line, or -1.
  int Chosen() const;
  // The text of a line; empty for a line that is not there (-1).
  std::string LineText(int index) const;
};

}  // namespace tallyo
