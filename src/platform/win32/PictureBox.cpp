#include "PictureBox.h"

#include <cstdint>

#include "Win32Api.h"
#include "platform/Colours.h"

namespace tallyo {
namespace {

constexpr const wchar_t* kPictureClass = L"TallyoPictureBox";

LRESULT CALLBACK PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* box = dynamic_cast<PictureBox*>(Control::Of(hwnd)))
    return box->HandleMessage(message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

const wchar_t* RegisterPictureClass() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kPictureClass, &wc)) return kPictureClass;
  wc.lpfnWndProc = PictureProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
  // The bitmap covers every pixel: no background to erase first.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kPictureClass;
  if (!RegisterClassExW(&wc)) CannotMakeWindow(GetLastError());
  return kPictureClass;
}

int ShiftState() {
  return ((GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? 2 : 0) |
         ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
}

int HeldButtons(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
         ((keys & MK_MBUTTON) ? 4 : 0);
}

}  // namespace

PictureBox::PictureBox(const ControlPlace& place)
    : Control(place),
      PlotPicture(place.row.background == kSystemColour ? kChartGrey : place.row.background) {
  Create(RegisterPictureClass(), WS_TABSTOP);
  OnRescaled();
}

void PictureBox::OnRescaled() {
  RECT client{};
  GetClientRect(Handle(), &client);
  // The box's pixels are device pixels: the user scale maps straight onto them.
  SetBoxSize(client.right, client.bottom, 1.0);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void PictureBox::OnPictureChanged() { InvalidateRect(Handle(), nullptr, FALSE); }

long long PictureBox::HandleMessage(unsigned message, unsigned long long wParam, long long lParam) {
  HWND hwnd = Handle();
  const float x = ToUserX(GET_X_LPARAM(lParam));
  const float y = ToUserY(GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT: {
      const std::uint32_t* pixels = Pixels();
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = PictureWidth();
      info.bmiHeader.biHeight = -PictureHeight();  // top row first
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(PictureWidth()),
                        static_cast<DWORD>(PictureHeight()), 0, 0, 0,
                        static_cast<UINT>(PictureHeight()), pixels, &info, DIB_RGB_COLORS);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // The chart takes the keyboard focus like the window's other controls.
      SetFocus(hwnd);
      SetCapture(hwnd);
      const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
      if (onMouseDown) onMouseDown(button, ShiftState(), x, y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      // wParam holds the buttons still down after this release.
      if (HeldButtons(wParam) == 0 && GetCapture() == hwnd) ReleaseCapture();
      const int button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
      if (onMouseUp) onMouseUp(button, ShiftState(), x, y);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (onMouseMove) onMouseMove(HeldButtons(wParam), ShiftState(), x, y);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tallyo
