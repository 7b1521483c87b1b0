#include "WideText.h"

#include <algorithm>

#include "Win32Api.h"

namespace tallyo {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring SystemPath(std::string_view utf8) {
  std::wstring path = Widen(utf8);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  // Room for a file name of a dozen characters behind a folder, as the limit counts.
  constexpr std::size_t kShortEnough = MAX_PATH - 14;
  if (path.size() < kShortEnough || path.starts_with(L"\\\\?\\")) return path;
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

}  // namespace tallyo
