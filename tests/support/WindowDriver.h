#pragma once
// More of what a UI automation tool does with the program's windows, beside
// viewer/WinTestSupport.h: the control IDs by name, a window found by its class among this
// process's windows, list entries chosen by the mouse or by selection, check boxes read,
// and the pixels a window shows on screen.

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
#include "viewer/WinTestSupport.h"

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

inline bool Ticked(HWND window, int id) {
  return ::SendMessageW(::GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline LPARAM Point(int x, int y) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                             static_cast<std::uint32_t>(x & 0xFFFF));
}

// The index of the list's entry that reads name exactly, or LB_ERR.
inline int EntryOf(HWND list, std::string_view name) {
  const std::wstring wide = Widen(name);
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

inline constexpr std::uint32_t ScreenRgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

}  // namespace tallyo::test
