#include "platform/Form.h"

#include <QPainter>
#include <QPalette>

#include "platform/Colours.h"
#include "platform/Twips.h"

namespace tallyo {

Form::Form(QWidget* parent, int clientWidthTwips, int clientHeightTwips, Colour background)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  // No control follows a resize, so the window keeps the size of its layout.
  setFixedSize(TwipsToPixels(clientWidthTwips), TwipsToPixels(clientHeightTwips));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(background));
  setPalette(pal);
  setAutoFillBackground(true);
}

void Form::AddLine(const QString& name, int x1, int y1, int x2, int y2) {
  lines_.push_back({name, TwipsLine(x1, y1, x2, y2)});
  update();
}

void Form::paintEvent(QPaintEvent*) {
  if (lines_.empty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // The system window-text colour of the desktop the layouts were drawn for.
  QPen pen(Qt::black);
  pen.setWidth(1);
  pen.setStyle(Qt::SolidLine);
  painter.setPen(pen);
  for (const LineControl& control : lines_) painter.drawLine(control.line);
}

}  // namespace tallyo
