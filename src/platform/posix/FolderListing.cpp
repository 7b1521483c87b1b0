#include "platform/FolderListing.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace tallyo {

std::vector<std::string> ListFolder(const std::string& folder, EntryKind kind,
                                    std::string_view pattern) {
  std::vector<std::string> names;
  const std::string wanted(pattern);
  DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
  if (!dir) return names;
  // Closed however the listing ends, also when a name cannot be stored.
  const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
  while (const dirent* entry = ::readdir(dir)) {
    // A name that starts with a dot is hidden, "." and ".." among them. A link counts as
    // what it leads to.
    struct stat st {};
    if (entry->d_name[0] == '.' || ::fnmatch(wanted.c_str(), entry->d_name, FNM_CASEFOLD) != 0 ||
        ::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0) {
      continue;
    }
    if (kind == EntryKind::kFiles ? S_ISREG(st.st_mode) : S_ISDIR(st.st_mode)) {
      names.emplace_back(entry->d_name);
    }
  }
  std::sort(names.begin(), names.end(), ListedBefore);
  return names;
}

bool ListedBefore(const std::string& a, const std::string& b) {
  const int order = ::strcasecmp(a.c_str(), b.c_str());
  return order != 0 ? order < 0 : a < b;
}

}  // namespace tallyo
