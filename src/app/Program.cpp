#include "app/Program.h"

#include <QApplication>

#include "app/Frontpiece.h"

namespace tallyo {

int RunProgram(QApplication& app) {
  // The viewer closes while the start window is still hidden; that must not end the
  // program, which ends with the start window.
  const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
  QApplication::setQuitOnLastWindowClosed(false);
  auto* start = new Frontpiece();
  start->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(start, &QObject::destroyed, &app, &QCoreApplication::quit);
  start->LoadAndShow();
  const int code = QApplication::exec();
  QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
  return code;
}

}  // namespace tallyo
