#pragma once
// A push button whose click handling runs when it is clicked.

#include <QPushButton>
#include <functional>

#include "platform/Toolkit.h"

namespace tallyo {

class CommandButton : public QPushButton {
  Q_OBJECT
 public:
  explicit CommandButton(QWidget* parent = nullptr) : QPushButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
      if (onClick) onClick();
    });
  }

  std::function<void()> onClick;
};

static_assert(CommandButtonControl<CommandButton>);

}  // namespace tallyo
