#pragma once
// The program's message box: modal over its owner, the message text, one OK button, no
// icon, and the program's title as its caption (a MessageBoxW, window class "#32770").

#include <string_view>

#include "platform/Toolkit.h"

namespace tallyo {

class Form;

// text: UTF-8. Returns when the user has closed the box.
void ShowMessage(Form* owner, std::string_view text);

}  // namespace tallyo
