#include "app/Program.h"

#include "app/Frontpiece.h"

namespace tallyo {

int RunProgram() {
  Frontpiece start;
  start.LoadAndShow();
  return start.RunUntilClosed();
}

}  // namespace tallyo
