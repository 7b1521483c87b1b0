#pragma once
// The paths the program works with, as UTF-8 text in this system's own form.

#include <string>
#include <string_view>

namespace tallyo {

// The folder of the running program, whose logs folder lies directly inside it.
std::string ProgramFolder();

// folder, this system's separator, name; just name when folder is empty.
std::string JoinPath(std::string_view folder, std::string_view name);

// The last part of path, after its last separator (on Windows '\\' or '/'); all of it when
// it has none.
std::string_view FileNameOf(std::string_view path);

}  // namespace tallyo
