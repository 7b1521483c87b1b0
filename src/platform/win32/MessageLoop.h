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

}  // namespace tallyo
