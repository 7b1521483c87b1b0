#pragma once
// The program's message box: modal, the message text, one OK button, no icon, and the
// program's title as its caption.

#include <string_view>

#include "platform/Toolkit.h"

class QWidget;

namespace tallyo {

// text: UTF-8. Returns when the user has closed the box.
void ShowMessage(QWidget* owner, std::string_view text);

}  // namespace tallyo
