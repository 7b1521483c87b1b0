#include "ChartIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QPointF>
#include <array>

#include "QtLayout.h"

namespace tallyo {

QImage ChartIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const double s = size / 32.0;
  // The chart's grey face in a black frame, with the window green around it.
  p.fillRect(QRectF(0, 0, size, size), ToQColor(kWindowGreen));
  p.fillRect(QRectF(2 * s, 2 * s, 28 * s, 28 * s), ToQColor(kChartGrey));
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(QRectF(2 * s, 2 * s, 28 * s - 1, 28 * s - 1));
  // An M band and three curves in the colours of volts, amps and watts.
  p.fillRect(QRectF(18 * s, 3 * s, 4 * s, 26 * s), ToQColor(kLightBlue));
  const std::array<QPointF, 6> volts{{{3, 12}, {8, 10}, {13, 11}, {18, 7}, {23, 8}, {29, 6}}};
  const std::array<QPointF, 6> amps{{{3, 24}, {8, 20}, {13, 22}, {18, 15}, {23, 17}, {29, 13}}};
  const std::array<QPointF, 6> watts{{{3, 27}, {8, 23}, {13, 25}, {18, 19}, {23, 21}, {29, 18}}};
  const int width = size >= 32 ? 2 : 1;
  auto curve = [&](const std::array<QPointF, 6>& points, const QColor& colour) {
    QPolygonF line;
    for (const QPointF& pt : points) line << pt * s;
    p.setPen(QPen(colour, width));
    p.drawPolyline(line);
  };
  curve(watts, ToQColor(kBlue));
  curve(amps, ToQColor(kGreen));
  curve(volts, ToQColor(kRed));
  return image;
}

QIcon ChartIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(ChartIconImage(32)));
  icon.addPixmap(QPixmap::fromImage(ChartIconImage(16)));
  return icon;
}

}  // namespace tallyo
