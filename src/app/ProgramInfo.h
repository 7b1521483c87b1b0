#pragma once
// The program's version and maker as its windows and the system show them.

#include <string>

namespace tallyo {

std::string ProgramVersionText();  // "1.02.0011"
std::string ProgramCompany();      // "Quorlane"

}  // namespace tallyo
