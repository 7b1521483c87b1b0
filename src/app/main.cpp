// The program's entry: the start window is loaded without being shown, its load handling
// runs the viewer modally, and the program ends when the start window is closed.

#include <QApplication>

#include "app/Frontpiece.h"
#include "app/ProgramInfo.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tallyo::ConfigureApplication(app);
  // The viewer is closed while the start window is still hidden; that must not end the
  // program, which ends with the start window.
  QApplication::setQuitOnLastWindowClosed(false);
  auto* start = new tallyo::Frontpiece();
  start->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(start, &QObject::destroyed, &app, &QCoreApplication::quit);
  start->LoadAndShow();
  return app.exec();
}
