#include "CommandButton.h"

namespace tallyo {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (onClick) onClick();
  });
}

}  // namespace tallyo
