#pragma once
// The start window: the program's name and maker and an Exit button. Its load handling
// shows the viewer first, modally; the start window itself appears only when the viewer
// has been closed.

#include <string>

#include "Form.h"

namespace tallyo {

class Frontpiece : public Form {
  TALLYO_FORM
 public:
  // The viewer's logs folder lies inside programFolder (UTF-8).
  explicit Frontpiece(std::string programFolder, Form* owner = nullptr);
  Frontpiece();

  // Loads the viewer and shows it modally, owned by this window; returns when the viewer
  // is gone.
  void Form_Load();
  void Exit_Click();

  // The program's start: the load handling, then this window shown.
  void LoadAndShow();

 private:
  std::string programFolder_;
};

}  // namespace tallyo
