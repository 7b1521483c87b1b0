#pragma once
// The folder of the running program, whose logs folder lies directly inside it, and the
// joining of a folder and a name with this system's separator. All paths are UTF-8.

#include <string>
#include <string_view>

namespace tallyo {

std::string ProgramFolder();

// folder, the separator, name; just name when folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tallyo
