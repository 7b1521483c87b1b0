#pragma once
// The chart's drawing surface on screen: a window of the program's own class (its
// window class "TallyoPictureBox", a crosshair pointer) that keeps what is drawn on it in
// a device-independent bitmap until the next clear and copies that bitmap to the screen
// when it is painted; nothing is drawn again for a repaint. The mouse is reported in the
// user scale, and captured while a button is held, so that moves and the release keep
// coming also from outside the box.

#include <cstdint>
#include <functional>
#include <memory>

#include "Control.h"
#include "platform/DrawSurface.h"

namespace tallyo {

class PictureBox : public Control, public DrawSurface {
 public:
  // button: 1 left, 2 right, 4 middle (at a move, those held); shift: 1 Shift, 2 Ctrl,
  // 4 Alt; x, y: the pointer in the user scale in force.
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

  PictureBox(const ControlPlace& place, Colour background);
  ~PictureBox() override;

  // DrawSurface
  void Clear() override;
  void SetScaleWidth(float width) override;
  void SetScaleHeight(float height) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Flush() override;

  float ScaleWidth() const;
  float ScaleHeight() const;
  // A pointer position in the box's pixels to the user scale; drawing and the mouse use
  // the same mapping.
  float ToUserX(double px) const;
  float ToUserY(double py) const;

  // The picture as it is on screen now (pending drawing rendered): width × height pixels,
  // 0x00RRGGBB, top row first.
  int PictureWidth() const;
  int PictureHeight() const;
  const std::uint32_t* Picture();

  MouseHandler onMouseDown, onMouseMove, onMouseUp;

  // A new picture at the box's new size; the chart on it is stretched to fit.
  void OnRescaled() override;

  // The window's messages, as the window procedure of the class hands them on.
  long long HandleMessage(unsigned message, unsigned long long wParam, long long lParam);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tallyo
