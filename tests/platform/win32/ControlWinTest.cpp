// The windows of the Windows edition's controls keep nothing of the program's once they
// go: every window property a control or a form set is removed before its window is
// destroyed.

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

}  // namespace
}  // namespace tallyo
