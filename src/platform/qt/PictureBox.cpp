#include "PictureBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>
#include <cmath>
#include <vector>

#include "platform/PlotBatch.h"
#include "platform/ScaleMap.h"

namespace tallyo {

namespace {

// Only the low three bytes name a colour; a value with a high byte (the zero lines are
// handed 0xFFFFFF00) is shown in the colour of those three bytes.
QColor ToQColor(Colour c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

// A chart draw that is never flushed (nobody paints a hidden box) must not grow without
// end: past this many pending lines and boxes they are rendered at once.
constexpr std::size_t kMaxPending = std::size_t{1} << 20;

int ShiftState(Qt::KeyboardModifiers modifiers) {
  return static_cast<int>((modifiers.toInt() >> 25) & 7);
}

}  // namespace

struct PictureBox::Impl {
  explicit Impl(PictureBox* owner) : self(owner) {}

  PictureBox* self;
  ScaleMap map;
  // The picture in device pixels; its own pixel ratio stays 1 so that the painter works in
  // device pixels, and `dpr` says how it lies on the screen.
  QImage image;
  double dpr = 1;
  Colour background = Rgb(64, 64, 64);
  PlotBatch batch;
  std::vector<QLineF> lines;  // one chain at a time on its way to the painter
  struct Pen {
    Colour colour;
    QPen pen;
  };
  std::vector<Pen> pens;
  bool updateScheduled = false;

  // Draws to the painter; one pen per colour, made once.
  struct Sink {
    Impl& impl;
    QPainter& painter;
    Colour current = 0;
    bool hasPen = false;

    void Polyline(Colour colour, const PlotPoint* p, std::size_t n) {
      if (n < 2) return;
      UsePen(colour);
      // Separate lines, one call per chain: a polyline leaves out the pixel where a chain
      // turns back, which would blunt every one-sample spike by a pixel.
      impl.lines.resize(n - 1);
      for (std::size_t k = 1; k < n; ++k)
        impl.lines[k - 1] = QLineF(p[k - 1].x, p[k - 1].y, p[k].x, p[k].y);
      painter.drawLines(impl.lines.data(), static_cast<int>(n - 1));
    }
    // Rows top..bottom of pixel column x, all inside the picture: a store per pixel, where
    // the painter would set up a stroke.
    void Column(Colour colour, int x, int top, int bottom) {
      const QRgb pixel = ToQColor(colour).rgb();
      const qsizetype stride = impl.image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
      QRgb* p = reinterpret_cast<QRgb*>(impl.image.bits()) + top * stride + x;
      for (int y = top; y <= bottom; ++y, p += stride) *p = pixel;
    }
    // n separate lines, from p[2k] to p[2k + 1].
    void Lines(Colour colour, const PlotPoint* p, std::size_t n) {
      UsePen(colour);
      impl.lines.resize(n);
      for (std::size_t k = 0; k < n; ++k)
        impl.lines[k] = QLineF(p[2 * k].x, p[2 * k].y, p[2 * k + 1].x, p[2 * k + 1].y);
      painter.drawLines(impl.lines.data(), static_cast<int>(n));
    }
    void UsePen(Colour colour) {
      if (!hasPen || colour != current) {
        painter.setPen(impl.PenFor(colour));
        current = colour;
        hasPen = true;
      }
    }
    void Fill(Colour colour, PixelRect r) {
      painter.fillRect(QRect(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1),
                       ToQColor(colour));
    }
  };

  const QPen& PenFor(Colour colour) {
    for (const Pen& p : pens)
      if (p.colour == colour) return p.pen;
    // One device pixel, square ends so that both end pixels are lit.
    QPen pen(ToQColor(colour), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    pens.push_back({colour, pen});
    return pens.back().pen;
  }

  void RenderPending() {
    if (batch.Empty()) return;
    if (image.isNull()) {
      batch.Reset();
      return;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    Sink sink{*this, painter};
    batch.Render(sink);
  }

  void ScheduleUpdate() {
    // One update per paint is enough; a chart draw makes tens of thousands of calls.
    if (updateScheduled) return;
    updateScheduled = true;
    self->update();
  }

  // Follows the box's size, and with checkRatio also its screen's pixel ratio (a dearer
  // question, asked only where a draw starts or the screen is painted). A hidden box gets
  // its resize event only when shown, so the size is looked at on every drawing call.
  void SyncSize() {
    if (self->width() != map.PixelWidth() || self->height() != map.PixelHeight()) Sync(false);
  }

  void Sync(bool checkRatio) {
    const int w = self->width(), h = self->height();
    const double ratio = checkRatio ? self->devicePixelRatioF() : dpr;
    if (w == map.PixelWidth() && h == map.PixelHeight() && ratio == dpr && !image.isNull()) return;
    if (w <= 0 || h <= 0) {
      batch.Reset();
      image = QImage();
      map.SetPixelSize(w, h, ratio);
      dpr = map.DevicePixelRatio();
      batch.SetPictureSize(0, 0);
      return;
    }
    // What is pending was mapped to the old size: it goes into the old picture first.
    RenderPending();
    const double newDpr = std::isfinite(ratio) && ratio > 0 ? ratio : 1.0;
    QImage fresh(static_cast<int>(std::ceil(w * newDpr)), static_cast<int>(std::ceil(h * newDpr)),
                 QImage::Format_RGB32);
    fresh.fill(ToQColor(background));
    if (!image.isNull()) {
      // A bigger box keeps the picture at its top left; a new pixel ratio rescales it.
      QPainter painter(&fresh);
      const double k = newDpr / dpr;
      painter.drawImage(QRectF(0, 0, image.width() * k, image.height() * k), image);
    }
    image = fresh;
    dpr = newDpr;
    map.SetPixelSize(w, h, dpr);
    batch.SetPictureSize(image.width(), image.height());
  }
};

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), impl_(std::make_unique<Impl>(this)) {
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  // The chart takes the keyboard focus in its turn, like the windows' other controls.
  setFocusPolicy(Qt::StrongFocus);
  // The backing picture covers every pixel, so Qt need not clear the box first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  impl_->Sync(true);
}

PictureBox::~PictureBox() = default;

void PictureBox::SetBackground(Colour colour) {
  // As with a picture box's back colour, a new background clears the picture.
  impl_->background = colour;
  Clear();
}

void PictureBox::Clear() {
  impl_->Sync(true);
  impl_->batch.Reset();
  if (!impl_->image.isNull()) impl_->image.fill(ToQColor(impl_->background));
  impl_->ScheduleUpdate();
}

void PictureBox::SetScaleWidth(float width) {
  impl_->SyncSize();
  impl_->map.SetScaleWidth(width);
}

void PictureBox::SetScaleHeight(float height) {
  impl_->SyncSize();
  impl_->map.SetScaleHeight(height);
}

void PictureBox::Line(float x1, float y1, float x2, float y2, Colour colour) {
  Impl& d = *impl_;
  d.SyncSize();
  d.batch.AddLine({d.map.ToDeviceX(x1), d.map.ToDeviceY(y1)},
                  {d.map.ToDeviceX(x2), d.map.ToDeviceY(y2)}, colour);
  if (d.batch.Pending() >= kMaxPending) d.RenderPending();
  d.ScheduleUpdate();
}

void PictureBox::Box(float x1, float y1, float x2, float y2, Colour colour) {
  Impl& d = *impl_;
  d.SyncSize();
  d.batch.AddBox({d.map.ToDeviceX(x1), d.map.ToDeviceY(y1)},
                 {d.map.ToDeviceX(x2), d.map.ToDeviceY(y2)}, colour);
  if (d.batch.Pending() >= kMaxPending) d.RenderPending();
  d.ScheduleUpdate();
}

void PictureBox::Flush() { impl_->RenderPending(); }

float PictureBox::ScaleWidth() const {
  impl_->SyncSize();
  return static_cast<float>(impl_->map.ScaleWidth());
}

float PictureBox::ScaleHeight() const {
  impl_->SyncSize();
  return static_cast<float>(impl_->map.ScaleHeight());
}

float PictureBox::ToUserX(double px) const { return static_cast<float>(impl_->map.ToUserX(px)); }

float PictureBox::ToUserY(double py) const { return static_cast<float>(impl_->map.ToUserY(py)); }

QImage PictureBox::Picture() {
  impl_->Sync(true);
  impl_->RenderPending();
  QImage copy = impl_->image;
  copy.setDevicePixelRatio(impl_->dpr);
  return copy;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  Impl& d = *impl_;
  d.updateScheduled = false;
  d.Sync(true);
  d.RenderPending();
  QPainter painter(this);
  if (d.image.isNull()) return;
  const QRect target = event->rect();
  const QRectF source(target.x() * d.dpr, target.y() * d.dpr, target.width() * d.dpr,
                      target.height() * d.dpr);
  painter.drawImage(QRectF(target), d.image, source);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  impl_->Sync(true);
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
