// The program's entry on Qt. It takes no command line and reads no settings.

#include <QApplication>

#include "Application.h"
#include "platform/Toolkit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tallyo::ConfigureApplication();
  return tallyo::RunProgram();
}
