#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <variant>

#include "platform/FileMessages.h"
#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// The logger may keep the day's file open for writing while the viewer runs; sharing
// everything lets both go on, and a display's CR LF lands at the end whatever the logger
// has written by then.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string Failure(const char* what, const std::string& path, DWORD error) {
  return FileFailure(what, path, SystemMessage(error));
}

// Closes the handle it holds on every way out.
class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (IsOpen()) ::CloseHandle(h_);
  }
  // Opens path on a file on a disk, or gives the reason to report. A pipe or a device under
  // a log file's name must neither be appended to nor read (a pipe could block the window
  // for good, a device could read without end). A folder cannot be opened as a file at
  // all: the system refuses it with its own reason.
  bool Open(const std::wstring& path, DWORD access, DWORD disposition, std::string& reason) {
    h_ = ::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (!IsOpen()) {
      error_ = ::GetLastError();
      reason = SystemMessage(error_);
      return false;
    }
    ::SetLastError(NO_ERROR);
    const DWORD type = ::GetFileType(h_);
    error_ = type == FILE_TYPE_UNKNOWN ? ::GetLastError() : NO_ERROR;
    if (type == FILE_TYPE_DISK) return true;
    reason = error_ != NO_ERROR ? SystemMessage(error_) : "Not a regular file";
    return false;
  }
  // The last Open found no file or no folder of that name.
  bool Missing() const { return error_ == ERROR_FILE_NOT_FOUND || error_ == ERROR_PATH_NOT_FOUND; }
  HANDLE Get() const { return h_; }
  bool IsOpen() const { return h_ != INVALID_HANDLE_VALUE; }
  // Returns 0 or the error of the close.
  DWORD Close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(h) ? 0 : ::GetLastError();
  }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
  DWORD error_ = NO_ERROR;
};

}  // namespace

std::string OutOfMemoryFailure(const std::string& path) {
  return Failure(kCannotRead, path, ERROR_NOT_ENOUGH_MEMORY);
}

std::optional<std::string> AppendEmptyLineAndRead(const std::string& path, FileBuffer& out) {
  const std::variant<std::wstring, DWORD> converted = SystemPath(path);
  if (const DWORD* e = std::get_if<DWORD>(&converted)) return Failure(kCannotRead, path, *e);
  const std::wstring& systemPath = std::get<std::wstring>(converted);

  // Opened for reading first: a file that cannot be read (held by a program that shares
  // nothing, a folder) is left exactly as it is. A missing file is left to the append to
  // create, and a missing folder to the append to report, as the step that cannot be done.
  Handle reader;
  std::string reason;
  if (!reader.Open(systemPath, GENERIC_READ, OPEN_EXISTING, reason) && !reader.Missing()) {
    return FileFailure(kCannotRead, path, reason);
  }

  {
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end of the file as
    // it is at that moment, never over what the logger wrote meanwhile.
    Handle appender;
    if (!appender.Open(systemPath, FILE_APPEND_DATA, OPEN_ALWAYS, reason)) {
      return FileFailure(kCannotAppend, path, reason);
    }
    static constexpr char kEmptyLine[] = {'\r', '\n'};
    DWORD written = 0;
    if (!::WriteFile(appender.Get(), kEmptyLine, sizeof kEmptyLine, &written, nullptr)) {
      return Failure(kCannotAppend, path, ::GetLastError());
    }
    if (written != sizeof kEmptyLine) return Failure(kCannotAppend, path, ERROR_WRITE_FAULT);
    if (const DWORD e = appender.Close()) return Failure(kCannotAppend, path, e);
  }

  if (!reader.IsOpen() && !reader.Open(systemPath, GENERIC_READ, OPEN_EXISTING, reason)) {
    return FileFailure(kCannotRead, path, reason);
  }
  // The length is taken once: what the logger appends after this moment waits for the
  // next display.
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(reader.Get(), &size)) return Failure(kCannotRead, path, ::GetLastError());
  const auto length = static_cast<unsigned long long>(size.QuadPart);
  if (length > static_cast<unsigned long long>(PTRDIFF_MAX)) return OutOfMemoryFailure(path);

  char* data = nullptr;
  try {
    data = out.Reset(static_cast<std::size_t>(length));
  } catch (const std::bad_alloc&) {  // the buffer is left empty
    return OutOfMemoryFailure(path);
  }
  // ReadFile takes at most 4 GB less one byte at a time; a log file is read in one call.
  constexpr std::size_t kMostPerRead = 1u << 30;
  std::size_t got = 0;
  while (got < length) {
    const std::size_t want = std::min<std::size_t>(length - got, kMostPerRead);
    DWORD r = 0;
    if (!::ReadFile(reader.Get(), data + got, static_cast<DWORD>(want), &r, nullptr)) {
      const DWORD e = ::GetLastError();
      out.Shrink(0);
      return Failure(kCannotRead, path, e);
    }
    if (r == 0) break;  // the file was cut short meanwhile: keep what arrived
    got += r;
  }
  out.Shrink(got);
  return std::nullopt;
}

}  // namespace tallyo
