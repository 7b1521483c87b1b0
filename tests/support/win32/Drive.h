#pragma once
// How a test drives the Windows edition's windows as the user and a UI automation tool
// drive them, for the tests written once for both editions (the Qt edition's twin is
// support/qt/Drive.h) and for those of this edition alone: a window found by its class, a
// control by its control ID, its text read by WM_GETTEXT and set by WM_SETTEXT, clicks,
// keys and mouse messages sent to it, list entries, the program's message box caught and
// closed, waits that run the program's message loop, and the pixels a window shows (Shown.h).

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Control.h"
#include "Form.h"
#include "MessageLoop.h"
#include "Shown.h"
#include "platform/PixelCanvas.h"
#include "platform/windows/WideText.h"
#include "support/Deadline.h"

namespace tallyo::test {

// A control as the tests take hold of it.
using Handle = HWND;

// The viewer's controls in the order of their control IDs, from 101: 100 plus the
// control's row in the viewer's layout table, counted from 1 with the line Line3 among
// them. Spelled out, as a tool outside the program must.
inline constexpr std::string_view kGraphControls[] = {
    "Interval", "File1",  "Dir1",     "Check6", "Check5", "Check4",   "Check3", "Check2",
    "Check1",   "Plot",   "Command2", "Time1h", "Time2h", "Command1", "Time2m", "Time1m",
    "Label10",  "Label9", "watts",    "text1",  "Label7", "Line3",    "sv",     "SMax1",
    "SMin1",    "rv",     "vt",       "wv",     "av",     "vv",       "ftime",  "stime",
    "RMin1",    "RMax1",  "WMin1",    "WMax1",  "AMin1",  "AMax1",    "VMin1",  "VMax1",
    "Label3",   "Label2", "Label5",   "Label4", "Label1", "Label6",   "Label8", "Label15"};

// The start window's.
enum FrontpieceControl : int { Exit = 101, FrontLabel1 = 102, Label11 = 106 };

inline int GraphControlId(std::string_view name) {
  const auto* found = std::find(std::begin(kGraphControls), std::end(kGraphControls), name);
  EXPECT_NE(found, std::end(kGraphControls)) << "no control " << name;
  return 101 + static_cast<int>(found - std::begin(kGraphControls));
}

inline HWND Control(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control;
}

// A control of the viewer by its name, found by its control ID.
inline Handle Item(const Form& graph, std::string_view name) {
  return Control(graph.Handle(), GraphControlId(name));
}
inline Handle HandleOf(const tallyo::Control& control) { return control.Handle(); }
// What stands for the window as the owner of a message box.
inline const void* WindowId(const Form& window) { return window.Handle(); }

// Under Wine on a bare X display there is no window manager, and Wine's X11 driver waits
// about two seconds for one each time it hides a window that a manager would handle. The
// windows of this test program are made unmanaged instead, through Wine's per-program
// settings, before the first window opens; on Windows nothing is done.
inline bool LeaveWindowsUnmanagedUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  if (!ntdll || !::GetProcAddress(ntdll, "wine_get_version")) return false;
  wchar_t program[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring_view name(program, n);
  name.remove_prefix(name.find_last_of(L"\\/") + 1);
  const std::wstring key = L"Software\\Wine\\AppDefaults\\" + std::wstring(name) + L"\\X11 Driver";
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", REG_SZ, L"N",
                           2 * sizeof(wchar_t)) == ERROR_SUCCESS;
}
inline const bool kWindowsUnmanaged = LeaveWindowsUnmanagedUnderWine();

struct WindowSearch {
  const wchar_t* windowClass;
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchOwnWindow(HWND hwnd, LPARAM search) {
  auto& s = *reinterpret_cast<WindowSearch*>(search);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (process != ::GetCurrentProcessId() || std::wstring_view(name) != s.windowClass) return TRUE;
  s.found = hwnd;
  return FALSE;
}

// FindWindowW by class, among this process's top-level windows only: the tests of other
// processes share the desktop and make windows of the same classes.
inline HWND FindOwnWindow(const wchar_t* windowClass) {
  WindowSearch search{windowClass};
  ::EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Hands out the messages waiting for this thread (paints among them). A queue that never
// empties fails the test.
inline void PumpMessages() {
  const DWORD started = GetTickCount();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (GetTickCount() - started > kWaitLimit.count()) {
      ADD_FAILURE() << "the message queue never empties";
      return;
    }
  }
}

// Shows the window, and finds it by its class ("Tallyo" and the window's name) as
// automation does.
inline void ShowAndWait(Form& window) {
  window.Show();
  PumpMessages();
  wchar_t name[64] = {};
  GetClassNameW(window.Handle(), name, 64);
  EXPECT_EQ(FindOwnWindow(name), window.Handle());
}

inline bool Visible(const Form& window) { return IsWindowVisible(window.Handle()) != FALSE; }

// UTF-8.
inline std::string WindowText(HWND hwnd) {
  const auto n = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const auto got = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                                reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return Utf8FromWide(text);
}
inline std::string ShownText(Handle control) { return WindowText(control); }

inline void SetShownText(Handle control, const std::string& text) {
  const std::optional<std::wstring> wide = WideFromUtf8(text);
  ASSERT_TRUE(wide);
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide->c_str()));
}

// Keys typed into a text box, one change each: over the whole of its text, selected
// first, or at its end.
inline void Type(Handle box, const std::string& keys) {
  const std::optional<std::wstring> wide = WideFromUtf8(keys);
  ASSERT_TRUE(wide);
  for (const wchar_t key : *wide) SendMessageW(box, WM_CHAR, key, 1);
}
inline void TypeOver(Handle box, const std::string& keys) {
  SendMessageW(box, EM_SETSEL, 0, -1);
  Type(box, keys);
}
inline void TypeAtEnd(Handle box, const std::string& keys) {
  const auto end = static_cast<WPARAM>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0));
  SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
  Type(box, keys);
}

// A button or check box clicked as automation clicks it.
inline void Click(Handle control) { SendMessageW(control, BM_CLICK, 0, 0); }

inline bool Ticked(Handle box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

inline LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(x & 0xFFFF));
}

inline void MouseMessage(HWND control, UINT message, WPARAM keys, int x, int y) {
  SendMessageW(control, message, keys, Point(x, y));
}

// The pointer moved to (x, y) pixels of the control with no button held.
inline void Hover(Handle control, int x, int y) { MouseMessage(control, WM_MOUSEMOVE, 0, x, y); }

// The left (or right) button pressed at (x, y) pixels of the control, the pointer moved
// with it held, and the button released.
inline void PressAt(Handle control, int x, int y, bool right = false) {
  MouseMessage(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, x,
               y);
}
inline void DragTo(Handle control, int x, int y) {
  MouseMessage(control, WM_MOUSEMOVE, MK_LBUTTON, x, y);
}
inline void ReleaseAt(Handle control, int x, int y, bool right = false) {
  MouseMessage(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, x, y);
}

// The texts of a list's entries, from the first.
inline std::vector<std::string> Entries(Handle list) {
  std::vector<std::string> texts;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    texts.push_back(Utf8FromWide(text));
  }
  return texts;
}

// The index of the list's entry that reads text exactly, or LB_ERR.
inline int EntryOf(HWND list, std::string_view text) {
  const std::wstring wide = Widen(text);
  return static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide.c_str())));
}

// A point of a list: the middle of an entry, or below the last entry.
struct Spot {
  int x, y;
};
inline Spot EntrySpot(Handle list, int index) {
  RECT r{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
inline Spot BelowEntries(Handle list) {
  RECT client{};
  GetClientRect(list, &client);
  return {20, client.bottom - 5};
}

// A click of the left button on the middle of the list's entry that reads text, as the
// mouse gives it.
inline void ClickEntry(Handle list, const std::string& text) {
  const int entry = EntryOf(list, text);
  ASSERT_NE(entry, LB_ERR) << text;
  const Spot at = EntrySpot(list, entry);
  PressAt(list, at.x, at.y);
  ReleaseAt(list, at.x, at.y);
}

// The keyboard focus on the control, and the arrow key down or up pressed there.
inline void TakeFocus(Handle control) {
  SetFocus(control);
  PumpMessages();
}
inline void PressArrow(Handle control, bool down) {
  SendMessageW(control, WM_KEYDOWN, down ? VK_DOWN : VK_UP, 1);
}

// A choice made the way automation selects an entry: the selection set, then the
// notification the list sends its parent for a user's change.
inline void SelectEntry(HWND list, int index) {
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// The entry at the top of the list's view, and the list scrolled to put an entry there.
inline int TopEntry(Handle list) {
  return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
}
inline void ScrollToEntry(Handle list, int index) {
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

// Runs the program's message loop, which also takes the folder watch's signals, until
// done() holds, for kWaitLimit at most; whether it held.
inline bool WaitUntil(const std::function<bool()>& done) {
  static const std::function<bool()>* check = nullptr;
  static DWORD started = 0;
  static bool running = false;
  check = &done;
  started = GetTickCount();
  running = !done();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    if ((*check)() || GetTickCount() - started > kWaitLimit.count()) running = false;
  });
  RunMessagesWhile(running);
  KillTimer(nullptr, timer);
  return done();
}

struct MessageSeen {
  std::string title;
  std::string text;
  int buttons = 0;       // visible buttons
  bool hasOk = false;    // a button of ID IDOK
  bool hasIcon = false;  // the icon control shows an icon
  const void* owner = nullptr;
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

inline HWND OpenBox() {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  return box;
}

inline void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  Catcher& c = *catcher;
  HWND box = OpenBox();
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

// Whether a message box is still open.
inline bool MessageOpen() { return detail::OpenBox() != nullptr; }

// The window's client area as it is on screen, after any pending paint.
inline ShownPicture Grab(HWND hwnd) {
  UpdateWindow(hwnd);
  return OnScreen(hwnd);
}

inline constexpr std::uint32_t ScreenRgb(int r, int g, int b) { return PixelOf(Rgb(r, g, b)); }

}  // namespace tallyo::test
