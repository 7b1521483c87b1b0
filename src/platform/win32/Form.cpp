#include "Form.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "MessageBox.h"
#include "MessageLoop.h"
#include "TextBox.h"
#include "Win32Api.h"
#include "platform/Twips.h"
#include "platform/windows/WideText.h"

namespace tallyo {
namespace {

constexpr const wchar_t* kFormProperty = L"Tallyo.Form";

// Fixed size: a caption with the system menu, the minimize and the close button, no
// sizing border and no maximize button.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Each window has its own button on the taskbar, also the owned viewer.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW;

// The program's icon, the small chart picture (the program file's first icon resource):
// the big (32×32 at 96 dots per inch) or the small (16×16) image, or nullptr in a program
// built without the resource (the tests). Shared: the system keeps one copy for the life
// of the program.
HICON ProgramIcon(bool small) {
  const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       cx, cy, LR_DEFAULTCOLOR | LR_SHARED));
}

// A layout's font by its own face ("MS Sans Serif", "Small Fonts", "Palatino Linotype"),
// which every Windows has; the system's font mapper picks its nearest face where one is
// missing. The caller deletes it.
HFONT LayoutFont(const FontChoice& choice, int dpi) {
  // A negative height asks for the character height (the em) rather than the cell.
  const int height = -static_cast<int>(std::lround(choice.points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, choice.bold ? FW_BOLD : FW_NORMAL,
                     choice.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Widen(choice.face).c_str());
}

// The system's font for message texts, the window font of a window that sets none: at
// dpi, from the font current at currentDpi (nullptr: the system's own, which is at the
// resolution the program started with).
HFONT MessageFont(int dpi, int currentDpi, HFONT current) {
  LOGFONTW font{};
  if (current) {
    GetObjectW(current, sizeof font, &font);
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      return LayoutFont(FontChoice{"MS Sans Serif", 8.25}, dpi);
    font = metrics.lfMessageFont;
  }
  if (currentDpi > 0 && dpi != currentDpi) font.lfHeight = MulDiv(font.lfHeight, dpi, currentDpi);
  return CreateFontIndirectW(&font);
}

Form* FormOf(HWND hwnd) { return static_cast<Form*>(GetPropW(hwnd, kFormProperty)); }

LRESULT CALLBACK FormProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetPropW(hwnd, kFormProperty, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
  if (Form* form = FormOf(hwnd)) return form->HandleMessage(hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring RegisterFormClass(const char* name) {
  std::wstring className = L"Tallyo" + Widen(name);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, className.c_str(), &wc)) return className;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = FormProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = ProgramIcon(false);
  wc.hIconSm = ProgramIcon(true);
  wc.lpszClassName = className.c_str();
  if (!RegisterClassExW(&wc)) CannotMakeWindow(GetLastError());
  return className;
}

}  // namespace

bool TabToNextControl(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if ((GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000) return false;
  Form* form = FormOf(GetAncestor(msg.hwnd, GA_ROOT));
  return form && form->MoveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

Form::Form(Form* owner, const FormInfo& info) {
  HDC screen = GetDC(nullptr);
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  background_ = CreateSolidBrush(info.background);
  windowFont_ = MessageFont(dpiY_, dpiY_, nullptr);

  const std::wstring className = RegisterFormClass(info.name);
  RECT frame{0, 0, PixelsX(info.clientWidthTwips), PixelsY(info.clientHeightTwips)};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  hwnd_ = CreateWindowExW(kFormExStyle, className.c_str(), Widen(info.caption).c_str(), kFormStyle,
                          CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                          frame.bottom - frame.top, owner ? owner->Handle() : nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (!hwnd_) CannotMakeWindow(GetLastError());
}

Form::~Form() {
  if (ownerDisabled_) EnableWindow(GetWindow(hwnd_, GW_OWNER), TRUE);
  // From here on no message reaches the handlers of a window that is going, and no window
  // keeps a property of the program's.
  for (const auto& control : controls_) control->Detach();
  RemovePropW(hwnd_, kFormProperty);
  DestroyWindow(hwnd_);
  for (const MadeFont& made : fonts_) DeleteObject(made.font);
  if (!formFont_.face) DeleteObject(windowFont_);
  DeleteObject(background_);
}

int Form::PixelsX(int twips) const { return TwipsToPixels(twips, dpiX_); }
int Form::PixelsY(int twips) const { return TwipsToPixels(twips, dpiY_); }

void Form::AddLine(const LayoutRow& row) {
  lines_.push_back({row.left, row.top, row.width, row.height});
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

FontHandle Form::Font(const FontChoice& choice) {
  if (!choice.face) return windowFont_;
  for (const MadeFont& made : fonts_) {
    const FontChoice& c = made.choice;
    if (std::strcmp(c.face, choice.face) == 0 && c.points == choice.points &&
        c.bold == choice.bold && c.italic == choice.italic)
      return made.font;
  }
  FontHandle font = LayoutFont(choice, dpiY_);
  fonts_.push_back({choice, font});
  return font;
}

void Form::SetFormFont(const FontChoice& font) {
  if (!font.face) return;
  if (!formFont_.face) DeleteObject(windowFont_);
  formFont_ = font;
  windowFont_ = Font(font);
}

void Form::PaintSurface(DeviceContext dc, int x, int y, int width, int height) const {
  const RECT area{0, 0, width, height};
  FillRect(dc, &area, background_);
  if (lines_.empty()) return;
  const COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  for (const LineControl& line : lines_) {
    MoveToEx(dc, PixelsX(line.x1) - x, PixelsY(line.y1) - y, nullptr);
    LineTo(dc, PixelsX(line.x2) - x, PixelsY(line.y2) - y);
    // A line drawn by the system leaves out its last pixel.
    SetPixel(dc, PixelsX(line.x2) - x, PixelsY(line.y2) - y, colour);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Form::SetFocusOrder(std::initializer_list<Control*> order) {
  focusOrder_.clear();
  for (Control* control : order)
    if (control && control->Handle()) focusOrder_.push_back(control->Handle());
  lastFocus_ = focusOrder_.empty() ? nullptr : focusOrder_.front();
  if (lastFocus_ && IsWindowVisible(hwnd_)) SetFocus(lastFocus_);
}

bool Form::MoveFocus(bool backwards) {
  const auto n = static_cast<int>(focusOrder_.size());
  if (n == 0) return false;
  HWND focus = GetFocus();
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (focusOrder_[i] == focus || IsChild(focusOrder_[i], focus)) at = i;
  for (int step = 1; step <= n; ++step) {
    const int k = at < 0 ? (backwards ? n - step : step - 1)
                         : ((at + (backwards ? -step : step)) % n + n) % n;
    HWND next = focusOrder_[k];
    if (!IsWindowVisible(next) || !IsWindowEnabled(next)) continue;
    SetFocus(next);
    // As in dialogs, a text box reached by the keyboard has its text selected.
    if (dynamic_cast<TextBox*>(Control::Of(next))) SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
  }
  return true;
}

void Form::Rescale(int dpi, const void* suggestedFrame) {
  if (dpi <= 0 || (dpi == dpiX_ && dpi == dpiY_)) return;
  const int oldDpi = dpiY_;
  dpiX_ = dpiY_ = dpi;
  // New fonts first; the old ones go once no control uses them.
  std::vector<MadeFont> oldFonts = std::move(fonts_);
  fonts_.clear();
  FontHandle oldWindowFont = formFont_.face ? nullptr : windowFont_;
  windowFont_ = formFont_.face ? Font(formFont_) : MessageFont(dpi, oldDpi, windowFont_);
  if (suggestedFrame) {
    const RECT& r = *static_cast<const RECT*>(suggestedFrame);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (const auto& control : controls_) control->Rescale();
  for (const MadeFont& made : oldFonts) DeleteObject(made.font);
  if (oldWindowFont) DeleteObject(oldWindowFont);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::Show() {
  shown_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Form::Close() {
  if (!shown_) return;
  shown_ = false;
  // The owner takes input again before this window goes, so that it, and not some
  // other program's window, becomes the active one.
  if (ownerDisabled_) {
    EnableWindow(GetWindow(hwnd_, GW_OWNER), TRUE);
    ownerDisabled_ = false;
  }
  ShowWindow(hwnd_, SW_HIDE);
  // A close sent from another thread or program (BM_CLICK, SC_CLOSE) is handled inside
  // GetMessageW, which would go on waiting: a posted message wakes the loop that runs
  // while this window is shown, so that it sees the window gone.
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Form::ShowModal() {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    ownerDisabled_ = true;
  }
  Show();
  RunMessagesWhile(shown_);
}

int Form::RunUntilClosed() {
  RunMessagesWhile(shown_);
  return 0;
}

long long Form::HandleMessage(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                              long long lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Control* control = Control::Of(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (Control* control = Control::Of(reinterpret_cast<HWND>(lParam))) {
        if (BrushHandle brush = control->OnColour(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (Control* control = Control::Of(item->hwndItem)) {
        control->OnDraw(item->hDC);
        return TRUE;
      }
      break;
    }
    case WM_ERASEBKGND:
      // WM_PAINT paints the whole surface.
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT client;
      GetClientRect(hwnd_, &client);
      PaintSurface(dc, 0, 0, client.right, client.bottom);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (lastFocus_ && IsWindow(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED:
      Rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void CannotMakeWindow(unsigned long error) {
  ShowMessage(nullptr, "Cannot open a window: " + SystemMessage(error));
  std::exit(1);
}

}  // namespace tallyo
