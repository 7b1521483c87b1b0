#pragma once
// What the system says of a path without reading it: whether it is a folder, and whether
// two paths name one and the same file. Paths are UTF-8 text.

#include <string>

namespace tallyo {

// A folder, or a link that leads to one.
bool IsFolder(const std::string& path);

// Both paths name an existing file, and it is the same one (by the system's identity of a
// file, however the paths are written, through links too).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace tallyo
