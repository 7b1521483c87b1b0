#include "platform/FolderListing.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// Whether the whole of name matches pattern, without regard to case by the system's own
// upper case. The system's own search would also match the short 8.3 names ("*.txt" would
// find "a.txt1" by "A~1.TXT").
bool Matches(std::wstring_view name, std::wstring_view pattern) {
  const auto fold = [](wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
  };
  // The usual greedy match with one point to come back to after a '*'.
  std::size_t n = 0, p = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || fold(pattern[p]) == fold(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

// By name without regard to case by the system's own upper case, ties by the UTF-16 units.
bool WideListedBefore(const std::wstring& a, const std::wstring& b) {
  const int order = CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                         static_cast<int>(b.size()), TRUE);
  return order != CSTR_EQUAL ? order == CSTR_LESS_THAN : a < b;
}

}  // namespace

std::vector<std::string> ListFolder(const std::string& folder, EntryKind kind,
                                    std::string_view pattern) {
  std::vector<std::string> names;
  std::wstring search;
  const std::optional<std::wstring> widePattern = WideFromUtf8(pattern);
  if (folder.empty() || SystemPath(folder, search) != NO_ERROR || !widePattern) return names;
  if (search.back() != L'\\') search += L'\\';
  search += L'*';
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  HANDLE find =
      FindFirstFileExW(search.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return names;
  // Closed however the listing ends, also when a name cannot be stored.
  const std::unique_ptr<void, decltype(&FindClose)> closer(find, FindClose);
  do {
    const DWORD a = entry.dwFileAttributes;
    const std::wstring_view name = entry.cFileName;
    if (name != L"." && name != L".." && !(a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
        ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) == (kind == EntryKind::kFolders) &&
        Matches(name, *widePattern)) {
      found.emplace_back(name);
    }
  } while (FindNextFileW(find, &entry));
  std::sort(found.begin(), found.end(), WideListedBefore);
  for (const std::wstring& name : found) names.push_back(Utf8FromWide(name));
  return names;
}

bool ListedBefore(const std::string& a, const std::string& b) {
  return WideListedBefore(WideFromUtf8(a).value_or(std::wstring()),
                          WideFromUtf8(b).value_or(std::wstring()));
}

}  // namespace tallyo
