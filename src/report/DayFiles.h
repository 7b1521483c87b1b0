#pragma once
// The day files a report reads: those the paths name, in the order of the viewer's file
// list.

#include <string>
#include <string_view>
#include <vector>

namespace tallyo {

struct DayFile {
  std::string day;   // the file name without ".txt"
  std::string path;  // as given, or the folder's path joined with the file name
};

// A folder gives its files that match "*.txt" by the file list's rules (regular files, no
// hidden ones, the case of the name not counting); any other path is taken as a day file,
// also one that is missing, which its reading then reports. All of them in the list's order
// of their file names.
std::vector<DayFile> DayFiles(const std::vector<std::string>& paths);

// The day's name: the file name without its ending ".txt" in any case.
std::string DayName(std::string_view fileName);

}  // namespace tallyo
