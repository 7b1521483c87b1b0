#include "app/Frontpiece.h"
#include "platform/Toolkit.h"

namespace tallyo {

// The start window is loaded without being shown, its load handling shows the viewer
// modally, and the program ends when the start window closes.
int RunProgram() {
  Frontpiece start;
  start.LoadAndShow();
  return start.RunUntilClosed();
}

}  // namespace tallyo
