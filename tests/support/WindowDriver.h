#pragma once
// Drives the program's windows from outside, as a UI automation tool or a screen reader
// does: a window found by its class, a control by its control ID, and nothing but window
// messages to read and change them. The program's message boxes are caught by a second
// thread, read and closed with their OK button.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/windows/WideText.h"

namespace tallyo::test {

// The control IDs of the viewer, 100 + the control's row in its layout table; the tests
// spell them out, as a tool outside the program must.
enum GraphControl : int {
  Interval = 101,
  File1,
  Dir1,
  Check6,
  Check5,
  Check4,
  Check3,
  Check2,
  Check1,
  Plot,
  Command2,
  Time1h,
  Time2h,
  Command1,
  Time2m,
  Time1m,
  Label10,
  Label9,
  watts,
  text1,
  Label7,
  Line3,
  sv,
  SMax1,
  SMin1,
  rv,
  vt,
  wv,
  av,
  vv,
  ftime,
  stime,
  RMin1,
  RMax1,
  WMin1,
  WMax1,
  AMin1,
  AMax1,
  VMin1,
  VMax1,
  Label15 = 148,
};

// The start window's.
enum FrontpieceControl : int { Exit = 101, FrontLabel1 = 102, Label11 = 106 };

// The parts of a message box (MessageBoxW's dialog).
inline constexpr int kMessageTextId = 0xFFFF;
inline constexpr int kMessageIconId = 1088;

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

inline HWND Item(HWND window, int id) { return ::GetDlgItem(window, id); }

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

// A window's text (a label's caption, a text box's text, a button's caption) in UTF-8.
inline std::string Text(HWND hwnd) {
  const auto n = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  const auto got = ::SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(n + 1),
                                  reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return Utf8FromWide(text);
}
inline std::string Text(HWND window, int id) { return Text(Item(window, id)); }

inline void SetText(HWND window, int id, std::string_view utf8) {
  std::wstring wide;
  WideFromUtf8(utf8, wide);
  ::SendMessageW(Item(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

inline void Click(HWND window, int id) { ::SendMessageW(Item(window, id), BM_CLICK, 0, 0); }

inline bool Ticked(HWND window, int id) {
  return ::SendMessageW(Item(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(x & 0xFFFF));
}

// The index of the list's entry that reads name exactly, or LB_ERR.
inline int EntryOf(HWND list, std::string_view name) {
  std::wstring wide;
  WideFromUtf8(name, wide);
  return static_cast<int>(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(wide.c_str())));
}

// A click of the left button on the middle of the list's entry, as the mouse gives it.
inline void MouseClickEntry(HWND list, int index) {
  RECT r{};
  ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = Point((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

// A choice made the way automation selects an entry: the selection set, then the
// notification the list sends its parent for a user's change.
inline void SelectEntry(HWND list, int index) {
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// The window's client area as it is on screen, 0x00RRGGBB, top row first, after any
// pending paint.
struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> rgb;
  std::uint32_t At(int x, int y) const {
    return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)];
  }
  int Count(std::uint32_t colour) const {
    int n = 0;
    for (const std::uint32_t p : rgb) n += p == colour;
    return n;
  }
  int CountInRow(int y, std::uint32_t colour) const {
    int n = 0;
    for (int x = 0; x < width; ++x) n += At(x, y) == colour;
    return n;
  }
  bool operator==(const Pixels&) const = default;
};

inline Pixels Grab(HWND hwnd) {
  ::UpdateWindow(hwnd);
  Pixels shot;
  RECT client{};
  ::GetClientRect(hwnd, &client);
  shot.width = client.right;
  shot.height = client.bottom;
  shot.rgb.assign(static_cast<std::size_t>(shot.width) * static_cast<std::size_t>(shot.height), 0);
  HDC screen = ::GetDC(hwnd);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < shot.rgb.size(); ++i) shot.rgb[i] = p[i] & 0x00FFFFFF;
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(hwnd, screen);
  return shot;
}

inline constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

// What a message box showed.
struct MessageSeen {
  std::string title;
  std::string text;
  int buttons = 0;       // visible buttons
  bool hasOk = false;    // a button of ID 1 (IDOK) captioned "OK"
  bool hasIcon = false;  // an icon control that holds an icon
  HWND owner = nullptr;
  bool ownerEnabled = false;  // while the box was shown
};

inline BOOL CALLBACK CountButton(HWND child, LPARAM count) {
  wchar_t name[16] = {};
  ::GetClassNameW(child, name, 16);
  if (::lstrcmpiW(name, L"Button") == 0 && ::IsWindowVisible(child))
    ++*reinterpret_cast<int*>(count);
  return TRUE;
}

inline BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(hwnd, name, 16);
  if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The visible message box of the given thread, or nullptr.
inline HWND ShownMessageBox(DWORD thread) {
  HWND found = nullptr;
  ::EnumThreadWindows(thread, FindMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

inline MessageSeen ReadMessageBox(HWND box) {
  MessageSeen m;
  m.title = Text(box);
  m.text = Text(box, kMessageTextId);
  ::EnumChildWindows(box, CountButton, reinterpret_cast<LPARAM>(&m.buttons));
  HWND ok = Item(box, IDOK);
  m.hasOk = ok && Text(ok) == "OK";
  HWND icon = Item(box, kMessageIconId);
  m.hasIcon = icon && ::SendMessageW(icon, STM_GETICON, 0, 0) != 0;
  m.owner = ::GetWindow(box, GW_OWNER);
  m.ownerEnabled = m.owner && ::IsWindowEnabled(m.owner);
  return m;
}

// Runs action on this thread; a message box of this thread that appears meanwhile is
// read and closed with its OK button from a second thread. Gives the first box seen, or
// nullopt when none was shown. A box that does not close by its button is sent WM_CLOSE
// after two seconds, and the test fails, so that it cannot hang.
inline std::optional<MessageSeen> CatchMessage(const std::function<void()>& action) {
  const DWORD uiThread = ::GetCurrentThreadId();
  std::optional<MessageSeen> seen;
  int shown = 0;
  bool stuck = false;
  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread watcher([&] {
    using Clock = std::chrono::steady_clock;
    HWND last = nullptr;
    Clock::time_point clicked;
    while (::WaitForSingleObject(done, 5) == WAIT_TIMEOUT) {
      HWND box = ShownMessageBox(uiThread);
      if (!box) continue;
      if (box != last) {
        last = box;
        if (++shown == 1) seen = ReadMessageBox(box);
        if (HWND ok = Item(box, IDOK)) ::SendMessageW(ok, BM_CLICK, 0, 0);
        clicked = Clock::now();
      } else if (Clock::now() - clicked > std::chrono::seconds(2)) {
        stuck = true;
        ::PostMessageW(box, WM_CLOSE, 0, 0);
        clicked = Clock::now();
      }
    }
  });
  action();
  ::SetEvent(done);
  watcher.join();
  ::CloseHandle(done);
  EXPECT_FALSE(stuck) << "a message box did not close by its OK button";
  EXPECT_LE(shown, 1) << "more than one message box";
  EXPECT_EQ(ShownMessageBox(uiThread), nullptr) << "a message box is still shown";
  return seen;
}

// Waits on this thread, handling its messages, until ready() holds; false after timeout.
inline bool PumpUntil(const std::function<bool()>& ready,
                      std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(2);
  }
  return true;
}

}  // namespace tallyo::test
