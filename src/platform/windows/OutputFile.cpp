#include "platform/OutputFile.h"

#include <windows.h>

#include <bit>

#include "platform/FileMessages.h"
#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// The header keeps a handle as the integer of its bits.
HANDLE AsHandle(std::intptr_t h) { return std::bit_cast<HANDLE>(h); }

}  // namespace

Failure OutputFile::Create(const std::string& path) {
  (void)Close();
  path_ = path;
  std::wstring name;
  if (const DWORD error = SystemPath(path, name); error != NO_ERROR) {
    return OutputFailure(path, SystemMessage(error));
  }
  if (IsDevicePath(name)) return OutputFailure(path, "Not a regular file");
  // Others may read the table while it is written, but not change it.
  const HANDLE h = ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return OutputFailure(path, SystemMessage(::GetLastError()));
  handle_ = std::bit_cast<std::intptr_t>(h);
  return std::nullopt;
}

Failure OutputFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(AsHandle(handle_), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr)) {
      return OutputFailure(path_, SystemMessage(::GetLastError()));
    }
    if (written == 0) return OutputFailure(path_, SystemMessage(ERROR_WRITE_FAULT));
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

Failure OutputFile::Close() {
  if (handle_ == -1) return std::nullopt;
  const HANDLE h = AsHandle(handle_);
  handle_ = -1;
  if (!::CloseHandle(h)) return OutputFailure(path_, SystemMessage(::GetLastError()));
  return std::nullopt;
}

}  // namespace tallyo
