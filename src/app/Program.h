#pragma once
// The run of the program: the start window is loaded without being shown, its load
// handling shows the viewer modally, and the program ends when the start window closes.

namespace tallyo {

// Returns the program's exit code once the start window is gone.
int RunProgram();

}  // namespace tallyo
