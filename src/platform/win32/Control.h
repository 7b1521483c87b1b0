#pragma once
// The one window of a control and its part in the window's traffic: the parent window
// hands every notification and colour request of a child to the Control it concerns.
// This header names the system's handles without including the system's headers.

#include <string>
#include <string_view>

#include "platform/FormLayout.h"

struct HWND__;
struct HDC__;
struct HBRUSH__;
struct HFONT__;
struct tagRECT;

namespace tallyo {

using WindowHandle = HWND__*;
using DeviceContext = HDC__*;
using BrushHandle = HBRUSH__*;
using FontHandle = HFONT__*;

class Form;

// The system could not make a window the program needs: the program ends, its reason
// (error, a Win32 error code) in the program's message box, as nothing can be shown.
[[noreturn]] void CannotMakeWindow(unsigned long error);

// Where a control goes: its window, its layout row and its control ID.
struct ControlPlace {
  Form& form;
  const LayoutRow& row;
  int id;
};

class Control {
 public:
  explicit Control(const ControlPlace& place) : form_(place.form), row_(place.row), id_(place.id) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  WindowHandle Handle() const { return hwnd_; }
  std::string_view Name() const { return row_.name; }
  // The control's rectangle in the window's client pixels, from its layout row. Both edges
  // are converted on their own, so controls that meet in twips meet in pixels.
  tagRECT Place() const;

  // The control's font, kept by its window.
  virtual void SetFont(FontHandle font);
  // Places the control again from its layout row (twips) at the window's present
  // resolution, in its layout font.
  void Rescale();

  // WM_COMMAND from this control, with its notification code.
  virtual void OnCommand(int /*code*/) {}
  // WM_DRAWITEM for this control, which draws itself: its whole client area on dc.
  virtual void OnDraw(DeviceContext /*dc*/) {}
  // WM_CTLCOLOR... for this control: the brush to fill with, or nullptr for the system's
  // colours.
  virtual BrushHandle OnColour(DeviceContext /*dc*/) { return nullptr; }

  // The control of a child window made by Create, or nullptr.
  static Control* Of(WindowHandle hwnd);
  // Takes the control off its window before the window goes: Of no longer finds it, and
  // the window keeps no property of the program's.
  void Detach();

 protected:
  // Makes the child window of a system class (or of the program's own) where the layout
  // row puts it, with the form's font for now and its window text (UTF-8).
  void Create(const wchar_t* windowClass, unsigned long style, unsigned long exStyle = 0,
              std::string_view text = {});
  // The window text as the system holds it.
  std::wstring WindowText() const;
  // The control has been placed again at a new resolution.
  virtual void OnRescaled() {}

  Form& form_;
  const LayoutRow row_;

 private:
  WindowHandle hwnd_ = nullptr;
  int id_;
};

}  // namespace tallyo
