#include "platform/windows/WideText.h"

#include <algorithm>
#include <climits>

namespace tallyo {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool StartsWith(std::wstring_view s, std::wstring_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool WideFromUtf8(std::string_view utf8, std::wstring& wide) {
  wide.clear();
  if (utf8.empty()) return true;
  if (utf8.size() > INT_MAX) return false;
  const int inLength = static_cast<int>(utf8.size());
  const int n =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<std::size_t>(n));
  return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, wide.data(),
                               n) == n;
}

std::wstring Widen(std::string_view utf8) {
  std::wstring wide;
  if (!WideFromUtf8(utf8, wide)) wide.clear();
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  std::string utf8;
  if (wide.empty() || wide.size() > INT_MAX) return utf8;
  const int inLength = static_cast<int>(wide.size());
  const int n =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return utf8;
  utf8.resize(static_cast<std::size_t>(n));
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::variant<std::wstring, DWORD> SystemPath(std::string_view utf8Path) {
  // A NUL would end the name early and open another file than the one named.
  if (utf8Path.find('\0') != std::string_view::npos) return DWORD{ERROR_INVALID_NAME};
  std::wstring path;
  if (!WideFromUtf8(utf8Path, path)) return DWORD{ERROR_NO_UNICODE_TRANSLATION};
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (path.empty()) return DWORD{ERROR_PATH_NOT_FOUND};
  if (StartsWith(path, kLongPrefix) || StartsWith(path, kDevicePrefix)) return path;

  // The prefixed form is passed through unchanged, so it must be complete already.
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return ::GetLastError();
    if (n < full.size()) {
      full.resize(n);
      break;
    }
    full.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
  if (StartsWith(full, kDevicePrefix)) return full;  // a device such as NUL
  if (StartsWith(full, L"\\\\")) return std::wstring(kLongUncPrefix) + full.substr(2);
  return std::wstring(kLongPrefix) + full;
}

std::wstring WithoutLongPathPrefix(std::wstring path) {
  if (StartsWith(path, kLongUncPrefix)) return L"\\\\" + path.substr(kLongUncPrefix.size());
  if (StartsWith(path, kLongPrefix)) return path.substr(kLongPrefix.size());
  return path;
}

std::string SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const std::wstring_view sentence(text ? text : L"", text ? n : 0);
  std::string utf8 = Utf8FromWide(sentence.substr(0, sentence.find_last_not_of(L"\r\n ") + 1));
  if (text) ::LocalFree(text);
  if (utf8.empty()) utf8 = "Error " + std::to_string(error);
  return utf8;
}

}  // namespace tallyo
