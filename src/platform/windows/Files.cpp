#include "platform/Files.h"

#include <windows.h>

#include <algorithm>
#include <bit>

#include "platform/FileMessages.h"
#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// The logger may keep the day's file open for writing while the viewer runs; sharing
// everything lets both go on.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A name can change between two steps (a logger starting its day, a file renamed): the
// steps are then taken again, this many times at most.
constexpr int kAttempts = 3;

Failure Fail(const char* what, const std::string& path, DWORD error) {
  return FileFailure(what, path, SystemMessage(error));
}

// The header keeps a handle as the integer of its bits.
HANDLE AsHandle(std::intptr_t h) { return std::bit_cast<HANDLE>(h); }

HANDLE OpenFile(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags = 0) {
  return ::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

// Why an open handle is no log file; nothing for a file on a disk. A folder cannot be
// opened as a file at all: the system refuses it with its own reason.
Failure NotALogFile(HANDLE h, const std::string& path) {
  ::SetLastError(NO_ERROR);
  const DWORD type = ::GetFileType(h);
  if (type == FILE_TYPE_DISK) return std::nullopt;
  const DWORD error = type == FILE_TYPE_UNKNOWN ? ::GetLastError() : NO_ERROR;
  if (error != NO_ERROR) return Fail(kCannotRead, path, error);
  return FileFailure(kCannotRead, path, "Not a regular file");
}

// The system's name for path, or why it has none. A device (a name such as COM1 on older
// systems) is never opened: opening it could already change what it does.
Failure SystemName(const std::string& path, std::wstring& name) {
  if (const DWORD error = SystemPath(path, name); error != NO_ERROR) {
    return Fail(kCannotRead, path, error);
  }
  if (IsDevicePath(name)) return FileFailure(kCannotRead, path, "Not a regular file");
  return std::nullopt;
}

// What the appending handle may do: append, and tell which file it is.
constexpr DWORD kAppendAccess = FILE_APPEND_DATA | FILE_READ_ATTRIBUTES;

bool Missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION x{}, y{};
  return ::GetFileInformationByHandle(a, &x) && ::GetFileInformationByHandle(b, &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

Failure SizeOf(HANDLE h, const std::string& path, std::uint64_t& size) {
  LARGE_INTEGER n{};
  if (!::GetFileSizeEx(h, &n)) return Fail(kCannotRead, path, ::GetLastError());
  size = static_cast<std::uint64_t>(n.QuadPart);
  return std::nullopt;
}

// What OpenExisting gives for a name that is no file on a disk.
constexpr DWORD kNoFileOnADisk = ERROR_BAD_FILE_TYPE;

// Opens the existing file name for reading into reader; NO_ERROR or why not.
DWORD OpenExisting(const std::wstring& name, std::intptr_t& reader) {
  // The name's attributes first, which opens nothing: a name that is no file on a disk
  // (a device; under Wine a pipe, whose opening would release a writer waiting for a
  // reader) is not opened for reading.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return ::GetLastError();
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) return kNoFileOnADisk;
  const HANDLE h = OpenFile(name, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return ::GetLastError();
  reader = reinterpret_cast<std::intptr_t>(h);
  return NO_ERROR;
}

// The sentence for what OpenExisting could not open.
Failure CannotOpen(const std::string& path, DWORD error) {
  if (error == kNoFileOnADisk) return FileFailure(kCannotRead, path, "Not a regular file");
  return Fail(kCannotRead, path, error);
}

}  // namespace

void LogFile::Close() {
  if (reader_ != -1) ::CloseHandle(AsHandle(reader_));
  if (appender_ != -1) ::CloseHandle(AsHandle(appender_));
  reader_ = -1;
  appender_ = -1;
  length_ = 0;
}

Failure LogFile::OpenToRead(const std::string& path) {
  Close();
  path_ = path;
  std::wstring name;
  if (Failure failure = SystemName(path, name)) return failure;
  const DWORD error = OpenExisting(name, reader_);
  if (error != NO_ERROR) return CannotOpen(path, error);
  if (Failure failure = NotALogFile(AsHandle(reader_), path)) return failure;
  return SizeOf(AsHandle(reader_), path, length_);
}

Failure LogFile::OpenToAppend(const std::string& path) {
  Close();
  path_ = path;
  std::wstring name;
  if (Failure failure = SystemName(path, name)) return failure;
  DWORD missing = ERROR_FILE_NOT_FOUND;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    // An existing file is opened for reading first, so that a file that cannot be read
    // (held by a program that shares nothing, a folder) is left exactly as it is.
    const DWORD error = OpenExisting(name, reader_);
    if (error == NO_ERROR) {
      if (Failure failure = NotALogFile(AsHandle(reader_), path)) return failure;
      // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end of the file
      // as it is at that moment, never over what the logger wrote meanwhile.
      const HANDLE h = OpenFile(name, kAppendAccess, OPEN_EXISTING);
      if (h == INVALID_HANDLE_VALUE) return Fail(kCannotAppend, path, ::GetLastError());
      appender_ = reinterpret_cast<std::intptr_t>(h);
    } else if (!Missing(error)) {
      return CannotOpen(path, error);
    } else {
      missing = error;
      // Nothing is there, or a link that leads nowhere: the file is made new and only in
      // its folder; a link of that name is not followed to make what it names.
      const HANDLE h = OpenFile(name, kAppendAccess, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT);
      if (h == INVALID_HANDLE_VALUE) {
        const DWORD refused = ::GetLastError();
        if (refused == ERROR_FILE_EXISTS || refused == ERROR_ALREADY_EXISTS) continue;
        return Fail(kCannotAppend, path, refused);
      }
      appender_ = reinterpret_cast<std::intptr_t>(h);
      const HANDLE made = OpenFile(name, GENERIC_READ, OPEN_EXISTING);
      if (made == INVALID_HANDLE_VALUE) return Fail(kCannotRead, path, ::GetLastError());
      reader_ = reinterpret_cast<std::intptr_t>(made);
    }
    if (SameFile(AsHandle(reader_), AsHandle(appender_))) {
      return SizeOf(AsHandle(reader_), path, length_);
    }
    Close();
  }
  // Each look found nothing there, and each attempt to make the file found a name: a link
  // that leads nowhere.
  return Fail(kCannotAppend, path, missing);
}

Failure LogFile::LastByte(std::optional<char>& last) {
  last.reset();
  if (Failure failure = SizeOf(AsHandle(reader_), path_, length_)) return failure;
  if (length_ == 0) return std::nullopt;
  char byte = 0;
  std::size_t got = 0;
  const std::uint64_t length = length_;
  if (Failure failure = ReadAt(length - 1, &byte, 1, got)) return failure;
  length_ = length;
  if (got == 1) last = byte;  // else the file was cut short meanwhile
  return std::nullopt;
}

Failure LogFile::Append(std::string_view bytes) {
  const std::uint64_t before = length_;
  std::size_t written = 0;
  DWORD error = NO_ERROR;
  while (written < bytes.size() && error == NO_ERROR) {
    DWORD w = 0;
    if (!::WriteFile(AsHandle(appender_), bytes.data() + written,
                     static_cast<DWORD>(bytes.size() - written), &w, nullptr)) {
      error = ::GetLastError();
    } else if (w == 0) {
      error = ERROR_WRITE_FAULT;
    }
    written += w;
  }
  if (error != NO_ERROR) {
    // The part that went in is taken back while the file ends with it, that is while
    // nothing else was appended since the last look; the reason told is the write's.
    std::uint64_t size = 0;
    if (written > 0 && !SizeOf(AsHandle(reader_), path_, size) && size == before + written) {
      std::wstring name;
      const HANDLE h = SystemName(path_, name) ? INVALID_HANDLE_VALUE
                                               : OpenFile(name, GENERIC_WRITE, OPEN_EXISTING);
      LARGE_INTEGER end{};
      end.QuadPart = static_cast<LONGLONG>(before);
      if (h != INVALID_HANDLE_VALUE) {
        if (SameFile(h, AsHandle(reader_)) && ::SetFilePointerEx(h, end, nullptr, FILE_BEGIN)) {
          ::SetEndOfFile(h);
        }
        ::CloseHandle(h);
      }
    }
    return Fail(kCannotAppend, path_, error);
  }
  return SizeOf(AsHandle(reader_), path_, length_);
}

Failure LogFile::ReadAt(std::uint64_t offset, char* into, std::size_t n, std::size_t& got) {
  got = 0;
  if (offset >= length_) return std::nullopt;
  // ReadFile takes at most 4 GB less one byte at a time.
  constexpr std::uint64_t kMostPerRead = std::uint64_t{1} << 30;
  const auto want =
      static_cast<DWORD>(std::min({std::uint64_t{n}, length_ - offset, kMostPerRead}));
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD r = 0;
  if (!::ReadFile(AsHandle(reader_), into, want, &r, &at)) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_HANDLE_EOF) return Fail(kCannotRead, path_, error);
  }
  // A file cut short meanwhile ends here.
  if (r == 0) length_ = offset;
  got = r;
  return std::nullopt;
}

Failure LogFile::OutOfMemory() const { return Fail(kCannotRead, path_, ERROR_NOT_ENOUGH_MEMORY); }

}  // namespace tallyo
