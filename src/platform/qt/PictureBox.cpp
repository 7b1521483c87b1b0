#include "PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/Colours.h"

namespace tallyo {
namespace {

int ShiftState(Qt::KeyboardModifiers modifiers) {
  return static_cast<int>((modifiers.toInt() >> 25) & 7);
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
  // A bigger box keeps the picture at its top left; a new pixel ratio rescales it.
  SetBoxSize(width_, height_, ratio, false);
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

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (!onMouseDown) return;
  const QPointF p = event->position();
  onMouseDown(static_cast<int>(event->button()), ShiftState(event->modifiers()), ToUserX(p.x()),
              ToUserY(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  if (!onMouseMove) return;
  const QPointF p = event->position();
  onMouseMove(static_cast<int>(event->buttons().toInt()), ShiftState(event->modifiers()),
              ToUserX(p.x()), ToUserY(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!onMouseUp) return;
  const QPointF p = event->position();
  onMouseUp(static_cast<int>(event->button()), ShiftState(event->modifiers()), ToUserX(p.x()),
            ToUserY(p.y()));
}

}  // namespace tallyo
