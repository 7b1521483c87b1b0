#pragma once
// Helpers for tests that drive the real Win32 windows in the test's own process: controls
// found by their control IDs, their texts read by WM_GETTEXT as automation reads them, a
// catcher for the program's message box, and mouse messages in a control's pixels.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/windows/WideText.h"

namespace tallyo::test {

inline HWND Control(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

// UTF-8.
inline std::string WindowText(HWND hwnd) {
  const auto n = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const auto got = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                                reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return Utf8FromWide(text);
}

inline void SetWindowTextUtf8(HWND hwnd, const std::string& text) {
  const std::optional<std::wstring> wide = WideFromUtf8(text);
  ASSERT_TRUE(wide);
  SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide->c_str()));
}

// Hands out the messages waiting for this thread (paints among them).
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct MessageSeen {
  std::string title;
  std::string text;
  int buttons = 0;       // visible buttons
  bool hasOk = false;    // a button of ID IDOK
  bool hasIcon = false;  // the icon control shows an icon
  HWND owner = nullptr;
};

namespace detail {

struct Catcher {
  std::optional<MessageSeen> seen;
  DWORD started = 0;
  bool failed = false;
};
inline Catcher* catcher = nullptr;

inline BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (IsWindowVisible(hwnd) && lstrcmpW(name, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

inline void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  Catcher& c = *catcher;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box && !c.seen) {
    MessageSeen seen;
    seen.title = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16] = {};
      GetClassNameW(child, name, 16);
      if (IsWindowVisible(child) && lstrcmpiW(name, L"Button") == 0) ++seen.buttons;
    }
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    HWND icon = GetDlgItem(box, 1088);
    seen.hasIcon = icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
    seen.owner = GetWindow(box, GW_OWNER);
    c.seen = seen;
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  } else if (box && GetTickCount() - c.started > 5000 && !c.failed) {
    c.failed = true;
    PostMessageW(box, WM_CLOSE, 0, 0);
  }
}

}  // namespace detail

// Runs action; the first message box it opens is read and closed with its OK button.
// Gives nullopt when no box was shown. A box that will not close fails the test after a
// few seconds instead of hanging it.
inline std::optional<MessageSeen> CatchMessage(const std::function<void()>& action) {
  detail::Catcher c;
  c.started = GetTickCount();
  detail::catcher = &c;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, detail::Poll);
  action();
  KillTimer(nullptr, timer);
  detail::catcher = nullptr;
  EXPECT_FALSE(c.failed) << "a message box did not close";
  return c.seen;
}

// A press and a release of the left button at (x, y) of the control, as the user makes
// them; each runs the control's handling before it returns.
inline void Click(HWND control, int x, int y) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void MouseMessage(HWND control, UINT message, WPARAM keys, int x, int y) {
  SendMessageW(control, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

}  // namespace tallyo::test
