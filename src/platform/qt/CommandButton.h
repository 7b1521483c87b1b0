#pragma once
// A push button whose click handling runs when it is clicked.

#include <QPushButton>
#include <functional>

namespace tallyo {

class CommandButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CommandButton(QWidget* parent = nullptr);

  std::function<void()> onClick;
};

}  // namespace tallyo
