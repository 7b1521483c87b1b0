#include "MessageLoop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tallyo {

namespace {

std::vector<HANDLE> handles;
std::vector<std::function<void()>> onSignals;

}  // namespace

void RunMessagesWhile(const bool& running) {
  MSG msg;
  while (running) {
    const auto count = static_cast<DWORD>(handles.size());
    const DWORD woke = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                                   MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count) {
      const std::function<void()> onSignal = onSignals[woke - WAIT_OBJECT_0];
      onSignal();
      continue;
    }
    while (running && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      if (TabToNextControl(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void WaitAlsoFor(HANDLE handle, std::function<void()> onSignal) {
  if (handles.size() + 1 >= MAXIMUM_WAIT_OBJECTS) return;
  handles.push_back(handle);
  onSignals.push_back(std::move(onSignal));
}

void StopWaitingFor(HANDLE handle) {
  const auto at = std::find(handles.begin(), handles.end(), handle);
  if (at == handles.end()) return;
  onSignals.erase(onSignals.begin() + (at - handles.begin()));
  handles.erase(at);
}

}  // namespace tallyo
