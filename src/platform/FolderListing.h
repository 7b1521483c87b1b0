#pragma once
// The entries of one folder as the lists show them. Names and paths are UTF-8 text; each
// system's implementation reads the folder in its own way and keeps its own case rule.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tallyo {

enum class EntryKind { kFiles, kFolders };

// The names of folder's regular files (kFiles) or subfolders (kFolders) whose whole names
// match pattern, leaving out hidden entries and "." and "..", sorted by name without
// regard to case. A folder that is missing or cannot be read gives none.
std::vector<std::string> ListFolder(const std::string& folder, EntryKind kind,
                                    std::string_view pattern = "*");

// Whether the whole of name matches pattern, where '*' stands for any run of characters
// and '?' for any one; two characters are the same when fold gives the same for both.
template <class Char, class Fold>
bool MatchesPattern(std::basic_string_view<Char> name, std::basic_string_view<Char> pattern,
                    Fold fold) {
  // The usual greedy match with one point to come back to after a '*'.
  std::size_t n = 0, p = 0, starP = pattern.npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == Char('?') || fold(pattern[p]) == fold(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == Char('*')) {
      starP = p++;
      starN = n;
    } else if (starP != pattern.npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == Char('*')) ++p;
  return p == pattern.size();
}

}  // namespace tallyo
