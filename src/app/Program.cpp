#include "app/Frontpiece.h"
#include "platform/Toolkit.h"

namespace tallyo {

int RunProgram() {
  Frontpiece start;
  start.LoadAndShow();
  return start.RunUntilClosed();
}

}  // namespace tallyo
