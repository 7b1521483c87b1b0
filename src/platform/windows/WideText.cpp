#include "platform/windows/WideText.h"

#include <algorithm>

namespace tallyo {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool StartsWith(std::wstring_view s, std::wstring_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  bool afterLead = false;  // the last character was a lead surrogate of its own
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int length = 1;
    char32_t c = lead;
    char32_t least = 0;
    if (lead >= 0xF0 && lead < 0xF8) {
      length = 4, c = lead & 0x07u, least = 0x10000;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3, c = lead & 0x0Fu, least = 0x800;
    } else if (lead >= 0xC0 && lead < 0xE0) {
      length = 2, c = lead & 0x1Fu, least = 0x80;
    } else if (lead >= 0x80) {
      return std::nullopt;
    }
    if (utf8.size() - i < static_cast<std::size_t>(length)) return std::nullopt;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0u) != 0x80u) return std::nullopt;
      c = (c << 6) | (next & 0x3Fu);
    }
    // A pair of surrogates has the four-byte form only, so each name has one form.
    const bool trail = c >= 0xDC00 && c <= 0xDFFF;
    if (c < least || c > 0x10FFFF || (afterLead && trail)) return std::nullopt;
    afterLead = c >= 0xD800 && c <= 0xDBFF;
    if (c >= 0x10000) {
      wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<wchar_t>(c);
    }
    i += static_cast<std::size_t>(length);
  }
  return wide;
}

std::wstring Widen(std::string_view utf8) { return WideFromUtf8(utf8).value_or(std::wstring()); }

std::string Utf8FromWide(std::wstring_view wide) {
  std::string utf8;
  utf8.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = static_cast<char16_t>(wide[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size()) {
      const char32_t next = static_cast<char16_t>(wide[i + 1]);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      }
    }
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

bool IsDevicePath(std::wstring_view path) { return StartsWith(path, kDevicePrefix); }

DWORD SystemPath(std::string_view utf8Path, std::wstring& systemPath) {
  // A NUL would end the name early and open another file than the one named.
  if (utf8Path.find('\0') != std::string_view::npos) return ERROR_INVALID_NAME;
  std::optional<std::wstring> path = WideFromUtf8(utf8Path);
  if (!path) return ERROR_NO_UNICODE_TRANSLATION;
  std::replace(path->begin(), path->end(), L'/', L'\\');
  if (path->empty()) return ERROR_PATH_NOT_FOUND;
  if (StartsWith(*path, kLongPrefix) || StartsWith(*path, kDevicePrefix)) {
    systemPath = std::move(*path);
    return NO_ERROR;
  }

  // The prefixed form is passed through unchanged, so it must be complete already.
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        ::GetFullPathNameW(path->c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return ::GetLastError();
    if (n < full.size()) {
      full.resize(n);
      break;
    }
    full.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
  systemPath = StartsWith(full, kDevicePrefix) ? full  // a device such as NUL
               : StartsWith(full, L"\\\\")     ? std::wstring(kLongUncPrefix) + full.substr(2)
                                               : std::wstring(kLongPrefix) + full;
  return NO_ERROR;
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
