// Start-up probe for the benchmarks: starts exactly as the program's entry does and ends
// the process as soon as the viewer window has been painted for the first time, so that a
// parent timing this process measures the start of the program up to the viewer on screen.
// It lies beside the program, so its logs folder is the program's.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdlib>

#include "Application.h"
#include "platform/Toolkit.h"

namespace {

class ViewerShown : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!done_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        watched->objectName() == QLatin1String("Graph")) {
      done_ = true;
      // Leaves once the window's whole first paint, children included, is done.
      QTimer::singleShot(0, [] { std::_Exit(0); });
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ViewerShown probe;
  app.installEventFilter(&probe);
  // Never hang a benchmark run: a viewer that does not appear fails the probe.
  QTimer::singleShot(20000, [] { std::_Exit(3); });

  // From here on as the program's entry.
  tallyo::ConfigureApplication();
  tallyo::RunProgram();
  return 2;  // the viewer was closed without ever being painted
}
