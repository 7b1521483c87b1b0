#pragma once
// The program's icon, the small chart picture: the icon of the program file (the first
// icon resource) and of both windows.

#include "Win32Api.h"

namespace tallyo {

// The resource ID of the icon in the program's resource script.
inline constexpr int kProgramIconResource = 1;

// The big (32×32 at 96 dots per inch) or the small (16×16) image, or nullptr in a program
// built without the resource (the tests).
HICON ProgramIcon(bool small);

}  // namespace tallyo
