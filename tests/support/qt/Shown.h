#pragma once
// What a window or control of the Qt edition shows, for the tests written against the
// toolkit contract (the Windows edition's twin is support/win32/Shown.h).

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include "platform/DrawSurface.h"
#include "support/ShownPicture.h"

namespace tallyo::test {

inline ShownPicture Shown(QWidget& widget) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ShownPicture shown{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    shown.pixels.insert(shown.pixels.end(), row, row + image.width());
  }
  return shown;
}

inline Colour WindowTextColour() {
  const QColor c = QApplication::palette().color(QPalette::WindowText);
  return Rgb(c.red(), c.green(), c.blue());
}

}  // namespace tallyo::test
