#pragma once
// The run of the program: the start window is loaded without being shown, its load
// handling shows the viewer modally, and the program ends when the start window closes.

class QApplication;

namespace tallyo {

// Returns the event loop's exit code once the start window is gone.
int RunProgram(QApplication& app);

}  // namespace tallyo
