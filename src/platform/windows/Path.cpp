#include "platform/Path.h"

#include <windows.h>

#include <string>

#include "platform/windows/WideText.h"

namespace tallyo {

std::string ProgramFolder() {
  // The running .exe, however deep its folder: the buffer grows until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return ".";  // longer than any path the system allows
    path.resize(path.size() * 2);
  }
  path = WithoutLongPathPrefix(path);
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ".";
  // The root of a drive keeps its separator: "C:" alone would be the drive's current folder.
  if (slash == 2 && path[1] == L':') return Utf8FromWide(path.substr(0, 3));
  return Utf8FromWide(path.substr(0, slash));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace tallyo
