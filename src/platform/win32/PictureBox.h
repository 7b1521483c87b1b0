#pragma once
// The chart's drawing surface on screen: a window of the program's own class (its
// window class "TallyoPictureBox", a crosshair pointer) that copies the chart's picture
// to the screen when it is painted; nothing is drawn again for a repaint. The mouse is
// reported in the user scale, and captured while a button is held, so that moves and the
// release keep coming also from outside the box.

#include <functional>

#include "Control.h"
#include "platform/PlotPicture.h"
#include "platform/Toolkit.h"

namespace tallyo {

class PictureBox : public Control, public PlotPicture {
 public:
  // button: 1 left, 2 right, 4 middle (at a move, those held); shift: 1 Shift, 2 Ctrl,
  // 4 Alt; x, y: the pointer in the user scale in force.
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

  // The row's background colour, or kSystemColour for the chart's grey.
  explicit PictureBox(const ControlPlace& place);

  MouseHandler onMouseDown, onMouseMove, onMouseUp;

  // A new picture at the box's new size.
  void OnRescaled() override;

  // The window's messages, as the window procedure of the class hands them on.
  long long HandleMessage(unsigned message, unsigned long long wParam, long long lParam);

 protected:
  void OnPictureChanged() override;
};

static_assert(PictureBoxControl<PictureBox>);

}  // namespace tallyo
