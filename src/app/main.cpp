// The program's entry. It takes no command line and reads no settings.

#include <QApplication>

#include "app/Program.h"
#include "app/ProgramInfo.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tallyo::ConfigureApplication(app);
  return tallyo::RunProgram(app);
}
