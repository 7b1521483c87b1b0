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
  // Shows lines (UTF-8) in place of those shown, chooses line chosen (-1: none) without a
  // notification and puts line top at the top (-1: where the list puts it); the chosen
  // line is brought into view only when chosenInView.
  void Fill(const std::vector<std::string>& lines, int chosen, int top, bool chosenInView);
};

}  // namespace tallyo
