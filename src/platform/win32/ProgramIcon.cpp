#include "ProgramIcon.h"

namespace tallyo {

HICON ProgramIcon(bool small) {
  const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
  // Shared: the system keeps one copy for the life of the program.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                       MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON, cx, cy,
                                       LR_DEFAULTCOLOR | LR_SHARED));
}

}  // namespace tallyo
