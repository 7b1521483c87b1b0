#include "app/ProgramInfo.h"

namespace tallyo {

std::string ProgramVersionText() { return TALLYO_VERSION_TEXT; }

std::string ProgramCompany() { return TALLYO_COMPANY; }

}  // namespace tallyo
