#pragma once
// The entries of one folder as the lists show them, by the system's own rules. Names and
// paths are UTF-8 text.

#include <string>
#include <string_view>
#include <vector>

namespace tallyo {

enum class EntryKind { kFiles, kFolders };

// The names of folder's regular files (kFiles) or subfolders (kFolders) whose whole names
// match pattern ('*' any run of characters, '?' any one) without regard to case, leaving
// out hidden entries, sorted by name without regard to case. A folder that is missing or
// cannot be read gives none.
std::vector<std::string> ListFolder(const std::string& folder, EntryKind kind,
                                    std::string_view pattern = "*");

// The order of ListFolder's names: whether name a comes before name b.
bool ListedBefore(const std::string& a, const std::string& b);

}  // namespace tallyo
