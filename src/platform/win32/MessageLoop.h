#pragma once
// The program's message loop, nested once for every modal window.

#include <functional>

#include "Win32Api.h"

namespace tallyo {

// Takes and hands out messages while running is true. A WM_QUIT ends the loop and is
// posted again, so that every loop around this one ends too. Between messages the loop
// also waits for the handles given to WaitAlsoFor.
void RunMessagesWhile(const bool& running);

// Has the message loop run onSignal whenever handle (a change notification, say) is
// signalled, until StopWaitingFor(handle). onSignal must reset the handle.
void WaitAlsoFor(HANDLE handle, std::function<void()> onSignal);
void StopWaitingFor(HANDLE handle);

// Tab and Shift+Tab in a window of the program: moves the focus along that window's
// focus order. True when the key has been used.
bool TabToNextControl(const MSG& msg);

}  // namespace tallyo
