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

namespace tallyo {

using WindowHandle = HWND__*;
using DeviceContext = HDC__*;
using BrushHandle = HBRUSH__*;
using FontHandle = HFONT__*;

class Form;

// Where a control goes: its window, its layout name, its control ID and its rectangle in
// the window's client pixels.
struct ControlPlace {
  Form& form;
  std::string name;
  int id;
  int x, y, width, height;
};

class Control {
 public:
  explicit Control(const ControlPlace& place) : name_(place.name), id_(place.id) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  WindowHandle Handle() const { return hwnd_; }
  const std::string& Name() const { return name_; }
  int Id() const { return id_; }

  // The control's font, kept by its window.
  virtual void SetFont(FontHandle font);

  // Where the layout puts the control (twips) and its font cell, so that the window can
  // place it again at another resolution.
  struct Layout {
    int left, top, width, height;
    FontChoice font;
  };
  void SetLayout(const Layout& layout) { layout_ = layout; }
  const Layout& GetLayout() const { return layout_; }
  // The control has been placed again at a new resolution.
  virtual void OnRescaled() {}

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
  // Makes the child window of a system class (or of the program's own) on the place's
  // form, with the form's font for now and its window text (UTF-8).
  void Create(const ControlPlace& place, const wchar_t* windowClass, unsigned long style,
              unsigned long exStyle = 0, std::string_view text = {});
  // The window text as the system holds it.
  std::wstring WindowText() const;

 private:
  WindowHandle hwnd_ = nullptr;
  std::string name_;
  int id_;
  Layout layout_{};
};

}  // namespace tallyo
