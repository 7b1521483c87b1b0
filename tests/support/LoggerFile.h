#pragma once
// A log file held open for appending, as the logger holds the day's file while the viewer
// runs: every Write is one system call that adds its bytes at the end of the file as it is
// at that moment, whatever others have appended meanwhile.

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/WideText.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <string>
#include <string_view>

namespace tallyo::test {

// Whether two handles that append at the same moment each get their bytes in whole. Wine
// (8.0) appends with a seek to the end and a write, so there one append may overwrite
// another's; Windows and POSIX systems append in one step.
inline bool ConcurrentAppendsAreWhole() {
#ifdef _WIN32
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr;
#else
  return true;
#endif
}

class LoggerFile {
 public:
#ifdef _WIN32
  // share: what the logger lets other programs do with the file while it holds it.
  explicit LoggerFile(const std::string& path, DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE) {
    std::wstring converted;
    if (SystemPath(path, converted) != NO_ERROR) return;
    h_ = ::CreateFileW(converted.c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~LoggerFile() {
    if (IsOpen()) ::CloseHandle(h_);
  }
  bool IsOpen() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Write(std::string_view bytes) {
    DWORD written = 0;
    return ::WriteFile(h_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
#else
  explicit LoggerFile(const std::string& path)
      : fd_(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC)) {}
  ~LoggerFile() {
    if (IsOpen()) ::close(fd_);
  }
  bool IsOpen() const { return fd_ >= 0; }
  bool Write(std::string_view bytes) {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
#endif
  LoggerFile(const LoggerFile&) = delete;
  LoggerFile& operator=(const LoggerFile&) = delete;

 private:
#ifdef _WIN32
  HANDLE h_ = INVALID_HANDLE_VALUE;
#else
  int fd_ = -1;
#endif
};

}  // namespace tallyo::test
