#include "PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/Colours.h"

namespace tallyo {
namespace {

// A press or a release reports its own button, a move the buttons held.
void Report(const PictureBox& box, const MouseHandler& handler, const QMouseEvent& event) {
  if (!handler) return;
  const QPointF p = event.position();
  const Qt::MouseButtons button =
      event.type() == QEvent::MouseMove ? event.buttons() : event.button();
  handler(static_cast<int>(button.toInt()), static_cast<int>((event.modifiers().toInt() >> 25) & 7),
          box.ToUserX(p.x()), box.ToUserY(p.y()));
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), PlotPicture(kChartGrey) {
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  // The chart takes the keyboard focus in its turn, like the windows' other controls.
  setFocusPolicy(Qt::StrongFocus);
  // The picture covers every pixel, so Qt need not clear the box first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  Sync(devicePixelRatioF());
}

void PictureBox::Sync(double ratio) {
  if (width() == width_ && height() == height_ && ratio == DevicePixelRatio()) return;
  width_ = width();
  height_ = height();
  SetBoxSize(width_, height_, ratio);
}

void PictureBox::BeforeDrawing() {
  if (width() != width_ || height() != height_) Sync(DevicePixelRatio());
}

QImage PictureBox::Picture() {
  Sync(devicePixelRatioF());
  QImage image(reinterpret_cast<const uchar*>(Pixels()), PictureWidth(), PictureHeight(),
               static_cast<qsizetype>(PictureWidth()) * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(DevicePixelRatio());
  return image;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  const QImage image = Picture();
  if (image.isNull()) return;
  QPainter painter(this);
  const QRect target = event->rect();
  const double dpr = DevicePixelRatio();
  painter.drawImage(
      QRectF(target), image,
      QRectF(target.x() * dpr, target.y() * dpr, target.width() * dpr, target.height() * dpr));
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Sync(devicePixelRatioF());
}

void PictureBox::mousePressEvent(QMouseEvent* event) { Report(*this, onMouseDown, *event); }

void PictureBox::mouseMoveEvent(QMouseEvent* event) { Report(*this, onMouseMove, *event); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) { Report(*this, onMouseUp, *event); }

}  // namespace tallyo
