#include "platform/FileList.h"

#include <algorithm>
#include <utility>

#include "platform/FolderListing.h"

namespace tallyo {

void FileList::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill(false);
}

void FileList::SetPath(std::string folder) {
  path_ = std::move(folder);
  Refill(false);
}

std::string FileList::FileName() const {
  const auto line = static_cast<std::size_t>(ChosenLine());
  return line < names_.size() ? names_[line] : std::string();
}

void FileList::PressEnded(bool released) {
  const bool report = released && pressing_ == kOnEntry;
  pressing_ = kNone;
  if (report) Report();
}

void FileList::Refill(bool keep) {
  // The parent keeps its separator, so that a folder at the root has the root as parent.
  const std::size_t cut = path_.find_last_of("\\/");
  Watch(path_, cut == std::string::npos ? std::string() : path_.substr(0, cut + 1));
  std::vector<std::string> names = ListFolder(path_, EntryKind::kFiles, pattern_);
  if (keep && names == names_) return;
  if (!keep) pressing_ = kNone;
  // The chosen entry and the one at the top are found again by their names.
  const auto lineOf = [&](int line) {
    const auto old = static_cast<std::size_t>(line);
    if (!keep || old >= names_.size()) return -1;
    const auto found = std::find(names.begin(), names.end(), names_[old]);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  };
  const int chosen = lineOf(ChosenLine());
  const int top = lineOf(TopLine());
  const bool chosenInView = chosen >= 0 && LineInView(ChosenLine());
  filling_ = true;
  names_ = std::move(names);
  ShowLines(names_, chosen, top, chosenInView);
  filling_ = false;
}

}  // namespace tallyo
