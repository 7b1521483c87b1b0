#pragma once
// The program's message loop, nested once for every modal window.

#include "Win32Api.h"

namespace tallyo {

// Takes and hands out messages while running is true. A WM_QUIT ends the loop and is
// posted again, so that every loop around this one ends too.
void RunMessagesWhile(const bool& running);

// Tab and Shift+Tab in a window of the program: moves the focus along that window's
// focus order. True when the key has been used.
bool TabToNextControl(const MSG& msg);

}  // namespace tallyo
