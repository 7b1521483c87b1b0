#include "Form.h"

#include <cstring>

#include "Fonts.h"
#include "Label.h"
#include "MessageLoop.h"
#include "ProgramIcon.h"
#include "Utf16.h"
#include "Win32Api.h"
#include "platform/Twips.h"

namespace tallyo {
namespace {

constexpr const wchar_t* kFormProperty = L"Tallyo.Form";

// Fixed size: a caption with the system menu, the minimize and the close button, no
// sizing border and no maximize button.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Each window has its own button on the taskbar, also the owned viewer.
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW;

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
  RegisterClassExW(&wc);
  return className;
}

Form* FormOf(HWND hwnd) { return static_cast<Form*>(GetPropW(hwnd, kFormProperty)); }

bool IsEditControl(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return lstrcmpiW(name, L"Edit") == 0;
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
  ownsWindowFont_ = true;

  const std::wstring className = RegisterFormClass(info.name);
  RECT frame{0, 0, PixelsX(info.clientWidthTwips), PixelsY(info.clientHeightTwips)};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  CreateWindowExW(kFormExStyle, className.c_str(), Widen(info.caption).c_str(), kFormStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                  owner ? owner->Handle() : nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

Form::~Form() {
  if (hwnd_) {
    if (ownerDisabled_) EnableWindow(GetWindow(hwnd_, GW_OWNER), TRUE);
    // From here on no message reaches the handlers of a window that is going, and no
    // window keeps a property of the program's.
    for (const auto& control : controls_) control->Detach();
    RemovePropW(hwnd_, kFormProperty);
    DestroyWindow(hwnd_);
  }
  for (const MadeFont& made : fonts_) DeleteObject(made.font);
  if (ownsWindowFont_) DeleteObject(windowFont_);
  DeleteObject(background_);
}

int Form::PixelsX(int twips) const { return TwipsToPixels(twips, dpiX_); }
int Form::PixelsY(int twips) const { return TwipsToPixels(twips, dpiY_); }

void Form::AddLine(std::string_view name, int x1, int y1, int x2, int y2) {
  lines_.push_back({std::string(name), x1, y1, x2, y2});
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
  hasFormFont_ = font.face != nullptr;
  formFont_ = font;
  FontHandle chosen = Font(font);
  if (ownsWindowFont_) DeleteObject(windowFont_);
  ownsWindowFont_ = false;
  windowFont_ = chosen;
}

Control& Form::Adopt(std::unique_ptr<Control> control) {
  controls_.push_back(std::move(control));
  if (auto* label = dynamic_cast<Label*>(controls_.back().get())) labels_.push_back(label);
  return *controls_.back();
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
    if (IsEditControl(next)) SendMessageW(next, EM_SETSEL, 0, -1);
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
  FontHandle oldWindowFont = ownsWindowFont_ ? windowFont_ : nullptr;
  if (hasFormFont_) {
    windowFont_ = Font(formFont_);
    ownsWindowFont_ = false;
  } else {
    windowFont_ = MessageFont(dpi, oldDpi, windowFont_);
    ownsWindowFont_ = true;
  }
  if (suggestedFrame) {
    const RECT& r = *static_cast<const RECT*>(suggestedFrame);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (const auto& control : controls_) {
    const Control::Layout& at = control->GetLayout();
    const int x = PixelsX(at.left), y = PixelsY(at.top);
    SetWindowPos(control->Handle(), nullptr, x, y, PixelsX(at.left + at.width) - x,
                 PixelsY(at.top + at.height) - y, SWP_NOZORDER | SWP_NOACTIVATE);
    control->SetFont(Font(at.font));
    control->OnRescaled();
  }
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

void Form::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  PaintSurface(dc, 0, 0, client.right, client.bottom);
  EndPaint(hwnd_, &ps);
}

long long Form::HandleMessage(unsigned message, unsigned long long wParam, long long lParam) {
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
    case WM_PAINT:
      Paint();
      return 0;
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
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

long long FormProcedure(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                        long long lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetPropW(hwnd, kFormProperty, form);
  }
  if (Form* form = FormOf(hwnd)) return form->HandleMessage(message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tallyo
