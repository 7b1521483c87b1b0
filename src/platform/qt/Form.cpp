#include "Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPainter>
#include <QPalette>

#include "ChartIcon.h"
#include "Fonts.h"
#include "QtColours.h"
#include "QtTwips.h"

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

Form::Form(Form* owner, const FormInfo& info)
    : Form(static_cast<QWidget*>(owner), info.clientWidthTwips, info.clientHeightTwips,
           info.background) {
  setObjectName(QString::fromLatin1(info.name));
  setWindowTitle(QString::fromUtf8(info.caption));
  setWindowIcon(ChartIcon());
}

void Form::AddLine(std::string_view name, int x1, int y1, int x2, int y2) {
  lines_.push_back({QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                    TwipsLine(x1, y1, x2, y2)});
  update();
}

void Form::SetFocusOrder(std::initializer_list<Control*> order) {
  const Control* previous = nullptr;
  for (Control* control : order) {
    if (previous) setTabOrder(const_cast<Control*>(previous), control);
    previous = control;
  }
  if (order.size() > 0) (*order.begin())->setFocus(Qt::OtherFocusReason);
}

void Form::SetFormFont(const FontChoice& font) {
  setFont(LayoutFont(font.face, font.points, font.bold, font.italic));
}

void Form::Show() { show(); }

void Form::Close() { close(); }

void Form::ShowModal() {
  setWindowModality(Qt::WindowModal);
  show();
  RunLoopUntilClosed();
}

int Form::RunUntilClosed() {
  RunLoopUntilClosed();
  return 0;
}

void Form::RunLoopUntilClosed() {
  if (!isVisible()) return;
  // A window closing while another is hidden must not end the program: the program ends
  // when the window it runs for is closed.
  const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
  QApplication::setQuitOnLastWindowClosed(false);
  QEventLoop loop;
  onClosed_ = [&loop] { loop.quit(); };
  loop.exec();
  onClosed_ = nullptr;
  QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

void Form::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted() && onClosed_) onClosed_();
}

void Form::paintEvent(QPaintEvent*) {
  if (lines_.empty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // One pixel, solid, in the system's window-text colour.
  painter.setPen(QPen(QApplication::palette().color(QPalette::WindowText), 1));
  for (const LineControl& control : lines_) painter.drawLine(control.line);
}

}  // namespace tallyo
