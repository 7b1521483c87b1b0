#include "platform/PathInfo.h"

#include <windows.h>

#include <memory>

#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// The file's identity: its volume and its index on it. Asks only for its attributes, which
// no other program's sharing refuses; a device is not opened.
bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  std::wstring name;
  if (SystemPath(path, name) != NO_ERROR || IsDevicePath(name)) return false;
  const HANDLE h = ::CreateFileW(name.c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const std::unique_ptr<void, decltype(&::CloseHandle)> closer(h, ::CloseHandle);
  return ::GetFileInformationByHandle(h, &info) != 0;
}

}  // namespace

bool IsFolder(const std::string& path) {
  std::wstring name;
  if (SystemPath(path, name) != NO_ERROR || IsDevicePath(name)) return false;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data) &&
         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return IdentityOf(a, x) && IdentityOf(b, y) && x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
         x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}

}  // namespace tallyo
