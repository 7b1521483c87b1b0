#pragma once
// A top-level window built from a fixed layout: a client area of a set size in twips
// (converted by the screen's dots per inch) that the user cannot resize, a background
// colour, and line controls painted on the window's own surface beneath every control.
// Its window class is "Tallyo" followed by the window's name, so that automation finds
// it; every control of it is a Control, found by its layout name.

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

#include "Control.h"
#include "platform/FormLayout.h"
#include "platform/Toolkit.h"

struct tagMSG;

// Opens the declaration of a window class derived from Form; nothing is needed here.
#define TALLYO_FORM

namespace tallyo {

// Tab and Shift+Tab in a window of the program: moves the focus along that window's
// focus order. True when the key has been used.
bool TabToNextControl(const tagMSG& msg);

class Form {
 public:
  // owner, when given, owns the window; the form is still a top-level window of its own.
  Form(Form* owner, const FormInfo& info);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  WindowHandle Handle() const { return hwnd_; }

  // A line's row (BuildControls): a 1-pixel solid line between two points given in twips,
  // both end points drawn. It has no window.
  void AddLine(const LayoutRow& row);
  // The control of another row (BuildControls), beneath those made before it; its control
  // ID is 100 plus its row, counted from 1 (index + 1).
  void AddControl(const LayoutRow& row, std::size_t index);

  // The control of the layout row named name, or nullptr.
  template <typename T>
  T* Find(const char* name) const {
    for (const auto& control : controls_)
      if (control->Name() == name) return dynamic_cast<T*>(control.get());
    return nullptr;
  }

  // The keyboard focus moves through controls in this order with Tab and Shift+Tab; the
  // first one has it when the window is shown.
  void SetFocusOrder(std::initializer_list<Control*> order);
  void SetFormFont(const FontChoice& font);

  void Show();
  // The window's close handling; a closed window is hidden until it is destroyed with
  // its object.
  void Close();
  // Shows the window modally over its owner (the owner takes no input meanwhile) and
  // returns once it has been closed.
  void ShowModal();
  // Runs the program's messages until this window has been closed; returns the exit code.
  int RunUntilClosed();

  // Layout support for the controls: twips to client pixels, fonts, the background.
  int PixelsX(int twips) const;
  int PixelsY(int twips) const;
  int DpiY() const { return dpiY_; }
  // The font of a layout cell, made once per window; kWindowFont gives the window's own.
  FontHandle Font(const FontChoice& choice);
  FontHandle WindowFont() const { return windowFont_; }
  // The window's surface beneath the controls (background and lines) with the client
  // point (x, y) at the origin of dc.
  void PaintSurface(DeviceContext dc, int x, int y, int width, int height) const;
  // The window's controls from the top of the stacking order downwards.
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // Moves the focus along the focus order; false when this window has none.
  bool MoveFocus(bool backwards);

  // The messages of the window hwnd (this form's, which has no handle of its own yet while
  // the system makes it), as its window procedure hands them on.
  long long HandleMessage(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                          long long lParam);

 private:
  // WM_DPICHANGED: the window moved to a screen of another resolution. Everything is
  // placed and sized again from the layout; the frame takes the rectangle the system
  // suggests.
  void Rescale(int dpi, const void* suggestedFrame);

  struct LineControl {
    int x1, y1, x2, y2;  // twips
  };
  struct MadeFont {
    FontChoice choice;
    FontHandle font;
  };

  WindowHandle hwnd_ = nullptr;
  int dpiX_ = 96, dpiY_ = 96;
  BrushHandle background_ = nullptr;
  FontHandle windowFont_ = nullptr;
  std::vector<MadeFont> fonts_;
  std::vector<LineControl> lines_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<WindowHandle> focusOrder_;
  WindowHandle lastFocus_ = nullptr;
  // The font set by SetFormFont; without one the window owns its own font.
  FontChoice formFont_{};
  bool shown_ = false;
  bool ownerDisabled_ = false;
};

static_assert(FormWindow<Form, Control>);

}  // namespace tallyo
