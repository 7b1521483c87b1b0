#include "report/DayFiles.h"

#include <algorithm>

#include "platform/FolderListing.h"
#include "platform/Path.h"
#include "platform/PathInfo.h"

namespace tallyo {

std::string DayName(std::string_view fileName) {
  constexpr std::string_view kEnding = ".txt";
  if (fileName.size() >= kEnding.size()) {
    const std::string_view end = fileName.substr(fileName.size() - kEnding.size());
    if (std::equal(end.begin(), end.end(), kEnding.begin(), [](char a, char b) {
          return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
        })) {
      fileName.remove_suffix(kEnding.size());
    }
  }
  return std::string(fileName);
}

std::vector<DayFile> DayFiles(const std::vector<std::string>& paths) {
  struct Named {
    std::string fileName;
    DayFile file;
  };
  std::vector<Named> days;
  for (const std::string& path : paths) {
    if (IsFolder(path)) {
      for (std::string& name : ListFolder(path, EntryKind::kFiles, "*.txt")) {
        DayFile file{DayName(name), JoinPath(path, name)};
        days.push_back({std::move(name), std::move(file)});
      }
    } else {
      const std::string name(FileNameOf(path));
      days.push_back({name, {DayName(name), path}});
    }
  }
  std::stable_sort(days.begin(), days.end(), [](const Named& a, const Named& b) {
    return ListedBefore(a.fileName, b.fileName);
  });
  std::vector<DayFile> files;
  files.reserve(days.size());
  for (Named& d : days) files.push_back(std::move(d.file));
  return files;
}

}  // namespace tallyo
