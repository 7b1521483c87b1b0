#include "MessageLoop.h"

#include "Form.h"

namespace tallyo {

void RunMessagesWhile(const bool& running) {
  MSG msg;
  while (running) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    if (TabToNextControl(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace tallyo
