#pragma once
// The chart's drawing surface on screen: a widget that shows the chart's picture, which
// keeps what is drawn on it until the next clear, and reports the mouse in its user scale.

#include <QImage>
#include <QWidget>

#include "platform/PlotPicture.h"
#include "platform/Toolkit.h"

namespace tallyo {

class PictureBox : public QWidget, public PlotPicture {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // What is on screen now (pending drawing rendered), in device pixels, over the
  // picture's own pixels: valid until the next drawing call.
  QImage Picture();

  // button: Qt::MouseButtons as an integer; shift: Qt::KeyboardModifiers >> 25 (shift 1,
  // ctrl 2, alt 4); x, y: the pointer in the user scale in force.
  MouseHandler onMouseDown, onMouseMove, onMouseUp;

  // A draw starts here: the picture follows the screen's pixel ratio first.
  void Clear() override {
    Sync(devicePixelRatioF());
    PlotPicture::Clear();
  }

 protected:
  void OnPictureChanged() override { update(); }
  // A hidden box gets its resize event only when shown, so the size is looked at before
  // every drawing call.
  void BeforeDrawing() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Sync(double ratio);
  int width_ = -1, height_ = -1;
};

static_assert(PictureBoxControl<PictureBox>);

}  // namespace tallyo
