#pragma once
// The chart's drawing surface on screen: a widget that keeps what is drawn on it in a
// backing image until the next clear, and reports the mouse in its user scale.

#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/DrawSurface.h"

namespace tallyo {

class PictureBox : public QWidget, public DrawSurface {
  Q_OBJECT
 public:
  // button: Qt::MouseButtons as an integer; shift: Qt::KeyboardModifiers >> 25 (shift 1,
  // ctrl 2, alt 4); x, y: the pointer in the user scale in force.
  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  void SetBackground(Colour colour);

  // DrawSurface
  void Clear() override;
  void SetScaleWidth(float width) override;
  void SetScaleHeight(float height) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;
  void Box(float x1, float y1, float x2, float y2, Colour colour) override;
  void Flush() override;

  float ScaleWidth() const;
  float ScaleHeight() const;
  // Pointer position in widget pixels to the user scale, and back; drawing and the mouse
  // use the same mapping.
  float ToUserX(double px) const;
  float ToUserY(double py) const;

  // What is on screen now (pending drawing rendered), in device pixels.
  QImage Picture();

  MouseHandler onMouseDown, onMouseMove, onMouseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tallyo
