// The program's entry on Windows. It takes no command line and reads no settings.

#include "Win32Api.h"
#include "platform/Toolkit.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  // The standard controls in their version 6, which the program's manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  return tallyo::RunProgram();
}
