#include "platform/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace tallyo {

namespace {

// Names match and sort without regard to the case of the letters A to Z; the program's
// pattern "*.txt" has no other letters.
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Before(const std::string& a, const std::string& b) {
  const auto folded = [](char x, char y) { return Fold(x) < Fold(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded)) return true;
  return !std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded) && a < b;
}

}  // namespace

std::vector<std::string> ListFolder(const std::string& folder, EntryKind kind,
                                    std::string_view pattern) {
  std::vector<std::string> names;
  DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    // A name that starts with a dot is hidden, "." and ".." among them.
    if (name.front() == '.' || !MatchesPattern(name, pattern, Fold)) continue;
    // A link counts as what it leads to.
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0) continue;
    if (kind == EntryKind::kFiles ? S_ISREG(st.st_mode) : S_ISDIR(st.st_mode)) {
      names.emplace_back(name);
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(), Before);
  return names;
}

}  // namespace tallyo
