#include "PictureBox.h"

#include "Win32Api.h"
#include "platform/PixelCanvas.h"
#include "platform/PlotBatch.h"
#include "platform/ScaleMap.h"

namespace tallyo {
namespace {

constexpr const wchar_t* kPictureClass = L"TallyoPictureBox";

// A chart draw that is never flushed (nobody paints a hidden box) must not grow without
// end: past this many pending lines and boxes they are rendered at once.
constexpr std::size_t kMaxPending = std::size_t{1} << 20;

LRESULT CALLBACK PictureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* box = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  }
  auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (box && box->Handle() == hwnd) return box->HandleMessage(message, wParam, lParam);
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
  RegisterClassExW(&wc);
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

struct PictureBox::Impl {
  HWND hwnd = nullptr;
  Colour background = Rgb(64, 64, 64);
  ScaleMap map;
  PlotBatch batch;
  // The picture: a top-down 32-bit bitmap selected into its own memory device context.
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  std::uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  bool invalidated = false;

  // A new picture of w × h pixels. What the old one shows is stretched into it: a box
  // placed again at another resolution keeps its chart until the next draw.
  void MakeBitmap(int w, int h) {
    RenderPending();
    HDC oldMemory = memory;
    HBITMAP oldBitmapHandle = bitmap;
    HGDIOBJ oldSelected = oldBitmap;
    const int oldWidth = width, oldHeight = height;
    width = std::max(w, 0);
    height = std::max(h, 0);
    HDC screen = GetDC(hwnd);
    memory = CreateCompatibleDC(screen);
    ReleaseDC(hwnd, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = nullptr;
    oldBitmap = nullptr;
    if (!bitmap) {
      width = height = 0;
    } else {
      pixels = static_cast<std::uint32_t*>(bits);
      oldBitmap = SelectObject(memory, bitmap);
    }
    // The box's pixels are device pixels: the user scale maps straight onto them.
    map.SetPixelSize(width, height, 1.0);
    batch.SetPictureSize(width, height);
    FillBackground();
    if (oldMemory) {
      if (pixels && oldWidth > 0 && oldHeight > 0) {
        SetStretchBltMode(memory, COLORONCOLOR);
        StretchBlt(memory, 0, 0, width, height, oldMemory, 0, 0, oldWidth, oldHeight, SRCCOPY);
        GdiFlush();
      }
      if (oldSelected) SelectObject(oldMemory, oldSelected);
      DeleteDC(oldMemory);
    }
    if (oldBitmapHandle) DeleteObject(oldBitmapHandle);
  }

  void FillBackground() {
    if (!pixels) return;
    PixelCanvas(pixels, width, height, width).FillAll(background);
  }

  void RenderPending() {
    if (batch.Empty()) return;
    if (!pixels) {
      batch.Reset();
      return;
    }
    PixelCanvas canvas(pixels, width, height, width);
    batch.Render(canvas);
  }

  void Invalidate() {
    // One repaint for a whole chart draw of tens of thousands of calls.
    if (invalidated) return;
    invalidated = true;
    InvalidateRect(hwnd, nullptr, FALSE);
  }

  ~Impl() {
    if (memory) {
      if (oldBitmap) SelectObject(memory, oldBitmap);
      DeleteDC(memory);
    }
    if (bitmap) DeleteObject(bitmap);
  }
};

PictureBox::PictureBox(const ControlPlace& place, Colour background)
    : Control(place), impl_(std::make_unique<Impl>()) {
  impl_->background = background;
  Create(place, RegisterPictureClass(), WS_TABSTOP);
  impl_->hwnd = Handle();
  RECT client{};
  GetClientRect(Handle(), &client);
  impl_->MakeBitmap(client.right, client.bottom);
}

PictureBox::~PictureBox() = default;

void PictureBox::OnRescaled() {
  RECT client{};
  GetClientRect(Handle(), &client);
  impl_->MakeBitmap(client.right, client.bottom);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void PictureBox::Clear() {
  impl_->batch.Reset();
  impl_->FillBackground();
  impl_->Invalidate();
}

void PictureBox::SetScaleWidth(float width) { impl_->map.SetScaleWidth(width); }

void PictureBox::SetScaleHeight(float height) { impl_->map.SetScaleHeight(height); }

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
  Impl& d = *impl_;
  d.batch.AddLine({d.map.ToDeviceX(x1), d.map.ToDeviceY(y1)},
                  {d.map.ToDeviceX(x2), d.map.ToDeviceY(y2)}, colour);
  if (d.batch.Pending() >= kMaxPending) d.RenderPending();
  d.Invalidate();
}

void PictureBox::Box(float x1, float y1, float x2, float y2, Colour colour) {
  Impl& d = *impl_;
  d.batch.AddBox({d.map.ToDeviceX(x1), d.map.ToDeviceY(y1)},
                 {d.map.ToDeviceX(x2), d.map.ToDeviceY(y2)}, colour);
  if (d.batch.Pending() >= kMaxPending) d.RenderPending();
  d.Invalidate();
}

void PictureBox::Flush() { impl_->RenderPending(); }

float PictureBox::ScaleWidth() const { return static_cast<float>(impl_->map.ScaleWidth()); }

float PictureBox::ScaleHeight() const { return static_cast<float>(impl_->map.ScaleHeight()); }

float PictureBox::ToUserX(double px) const { return static_cast<float>(impl_->map.ToUserX(px)); }

float PictureBox::ToUserY(double py) const { return static_cast<float>(impl_->map.ToUserY(py)); }

int PictureBox::PictureWidth() const { return impl_->width; }

int PictureBox::PictureHeight() const { return impl_->height; }

const std::uint32_t* PictureBox::Picture() {
  impl_->RenderPending();
  return impl_->pixels;
}

long long PictureBox::HandleMessage(unsigned message, unsigned long long wParam, long long lParam) {
  Impl& d = *impl_;
  HWND hwnd = d.hwnd;
  const float x = ToUserX(GET_X_LPARAM(lParam));
  const float y = ToUserY(GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT: {
      d.invalidated = false;
      d.RenderPending();
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      const RECT& r = ps.rcPaint;
      if (d.memory)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, d.memory, r.left, r.top,
               SRCCOPY);
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
