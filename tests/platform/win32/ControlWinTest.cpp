// The windows of the Windows edition's controls keep nothing of the program's once they
// go: every window property a control or a form set is removed before its window is
// destroyed. And a form's font stays one the window can draw with.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/Frontpiece.h"

namespace tallyo {
namespace {

std::vector<HWND> leftWithProperty;

// Runs before each window procedure of this thread: a window about to be destroyed
// should carry no property of the program's any more.
LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_NCDESTROY &&
      (GetPropW(message->hwnd, L"Tallyo.Control") || GetPropW(message->hwnd, L"Tallyo.Form")))
    leftWithProperty.push_back(message->hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ControlWinTest, DestroyedWindowsKeepNoProperty) {
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchDestroy, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  { Frontpiece window("C:\\"); }
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(leftWithProperty.empty()) << leftWithProperty.size() << " windows";
}

// Asking for the window's own font as the form's font keeps a font the window can use: it
// once deleted the window's font and went on drawing with the deleted handle.
TEST(ControlWinTest, WindowsOwnFontAsFormFontStaysUsable) {
  Frontpiece window("C:\\");
  window.SetFormFont(kWindowFont);
  LOGFONTW font{};
  EXPECT_NE(GetObjectW(window.WindowFont(), sizeof font, &font), 0);
  window.SetFormFont(FontChoice{"MS Sans Serif", 12});
  window.SetFormFont(kWindowFont);
  EXPECT_NE(GetObjectW(window.WindowFont(), sizeof font, &font), 0);
}

}  // namespace
}  // namespace tallyo
