#pragma once
// The start window: the program's name and maker and an Exit button. Its load handling
// shows the viewer first, modally; the start window itself appears only when the viewer
// has been closed.

#include <QString>

#include "platform/Form.h"

namespace tallyo {

class Frontpiece : public Form {
  Q_OBJECT
 public:
  // The viewer's logs folder lies inside programFolder.
  explicit Frontpiece(const QString& programFolder, QWidget* parent = nullptr);
  Frontpiece();

  // Loads the viewer and shows it modally, owned by this window; returns when the viewer
  // is gone.
  void Form_Load();
  void Exit_Click();

  // The program's start: the load handling, then this window shown.
  void LoadAndShow();

 private:
  QString programFolder_;
};

}  // namespace tallyo
