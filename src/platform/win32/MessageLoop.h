#pragma once
// The program's message loop, nested once for every modal window.

#include "Win32Api.h"

namespace tallyo {

// Takes and hands out messages while running is true. A WM_QUIT ends the loop and is
// posted again, so that every loop around this one ends too.
void RunMessagesWhile(const bool& running);

}  // namespace tallyo
