#include "Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPainter>
#include <QPalette>

#include "ChartIcon.h"
#include "Fonts.h"
#include "QtLayout.h"

namespace tallyo {

Form::Form(Form* owner, const FormInfo& info)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowCloseButtonHint) {
  // No control follows a resize, so the window keeps the size of its layout.
  setFixedSize(TwipsToPixels(info.clientWidthTwips), TwipsToPixels(info.clientHeightTwips));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(info.background));
  setPalette(pal);
  setAutoFillBackground(true);
  setObjectName(QString::fromLatin1(info.name));
  setWindowTitle(QString::fromUtf8(info.caption));
  setWindowIcon(ChartIcon());
}

void Form::AddLine(const LayoutRow& row) {
  lines_.push_back(
      {QString::fromUtf8(row.name), QLine(TwipsToPixels(row.left), TwipsToPixels(row.top),
                                          TwipsToPixels(row.width), TwipsToPixels(row.height))});
  update();
}

void Form::SetFocusOrder(std::initializer_list<Control*> order) {
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(order.begin()[i - 1], order.begin()[i]);
  if (order.size() > 0) (*order.begin())->setFocus(Qt::OtherFocusReason);
}

void Form::SetFormFont(const FontChoice& font) { setFont(LayoutFont(font)); }

void Form::ShowModal() {
  setWindowModality(Qt::WindowModal);
  show();
  RunUntilClosed();
}

int Form::RunUntilClosed() {
  if (!isVisible()) return 0;
  // A window closing while another is hidden must not end the program: the program ends
  // when the window it runs for is closed.
  const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
  QApplication::setQuitOnLastWindowClosed(false);
  QEventLoop loop;
  onClosed_ = [&loop] { loop.quit(); };
  loop.exec();
  onClosed_ = nullptr;
  QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
  return 0;
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
