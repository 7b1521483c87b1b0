#pragma once
// What a window or control of the Windows edition shows on the screen, for the tests
// written against the toolkit contract (the Qt edition's twin is support/qt/Shown.h).

#include <windows.h>

#include "platform/DrawSurface.h"
#include "support/ShownPicture.h"

namespace tallyo::test {

// The client area as it is on the screen now.
inline ShownPicture OnScreen(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  ShownPicture shown{client.right, client.bottom, {}};
  shown.pixels.resize(static_cast<std::size_t>(shown.width) * shown.height);
  HDC screen = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shown.width;
  info.bmiHeader.biHeight = -shown.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shown.width, shown.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < shown.pixels.size(); ++i) shown.pixels[i] = pixels[i] | 0xFF000000u;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, screen);
  return shown;
}

// The same once the window and its children have been painted anew.
inline ShownPicture Shown(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return OnScreen(hwnd);
}

template <class Window>
ShownPicture Shown(Window& window) {
  return Shown(window.Handle());
}

inline Colour WindowTextColour() { return GetSysColor(COLOR_WINDOWTEXT); }

}  // namespace tallyo::test
