#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileMessages.h"

namespace tallyo {

namespace {

Failure Fail(const char* what, const std::string& path, int error) {
  return FileFailure(what, path, std::strerror(error));
}

// Why a name that is there is no log file; nothing for a regular file. A socket is told as
// the system tells an attempt to open one.
const char* NotALogFile(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return nullptr;
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (S_ISSOCK(st.st_mode)) return std::strerror(ENXIO);
  return "Not a regular file";
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int OpenFile(const std::string& path, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// A name can change between the look at it and its opening (a logger starting its day, a
// file renamed): the steps are then taken again, this many times at most.
constexpr int kAttempts = 3;

}  // namespace

void LogFile::Close() {
  if (reader_ >= 0) ::close(static_cast<int>(reader_));
  if (appender_ >= 0) ::close(static_cast<int>(appender_));
  reader_ = -1;
  appender_ = -1;
  length_ = 0;
}

Failure LogFile::OpenToRead(const std::string& path) {
  Close();
  path_ = path;
  if (path.find('\0') != std::string::npos) return Fail(kCannotRead, path, EINVAL);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0) return Fail(kCannotRead, path, errno);
    if (const char* reason = NotALogFile(named)) return FileFailure(kCannotRead, path, reason);
    // O_NONBLOCK: should a pipe have taken the name since the look, its open cannot wait.
    const int fd = OpenFile(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0) return Fail(kCannotRead, path, errno);
    reader_ = fd;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) return Fail(kCannotRead, path, errno);
    if (SameFile(named, opened)) {
      length_ = static_cast<std::uint64_t>(opened.st_size);
      return std::nullopt;
    }
    Close();
  }
  return Fail(kCannotRead, path, EAGAIN);
}

Failure LogFile::OpenToAppend(const std::string& path) {
  Close();
  path_ = path;
  if (path.find('\0') != std::string::npos) return Fail(kCannotRead, path, EINVAL);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    struct stat named {};
    if (::stat(path.c_str(), &named) == 0) {
      // An existing file: opened for reading first, so that a file that cannot be read is
      // left exactly as it is.
      if (Failure failure = OpenToRead(path)) return failure;
      const int fd = OpenFile(path, O_WRONLY | O_APPEND);
      if (fd < 0) return Fail(kCannotAppend, path, errno);
      appender_ = fd;
    } else if (errno != ENOENT) {
      return Fail(kCannotRead, path, errno);
    } else {
      // Nothing is there, or a link that leads nowhere: O_EXCL creates a new file of that
      // name only, and never follows a link.
      const int fd = OpenFile(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, 0666);
      if (fd < 0) {
        const int e = errno;
        struct stat link {};
        if (e != EEXIST) return Fail(kCannotAppend, path, e);
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
            ::stat(path.c_str(), &named) != 0) {
          return Fail(kCannotAppend, path, ENOENT);
        }
        continue;  // a file came meanwhile
      }
      appender_ = fd;
      const int reader = OpenFile(path, O_RDONLY | O_NONBLOCK);
      if (reader < 0) return Fail(kCannotRead, path, errno);
      reader_ = reader;
    }
    struct stat read {
    }, appended{};
    if (::fstat(static_cast<int>(reader_), &read) != 0 ||
        ::fstat(static_cast<int>(appender_), &appended) != 0) {
      return Fail(kCannotRead, path, errno);
    }
    if (SameFile(read, appended)) {
      length_ = static_cast<std::uint64_t>(read.st_size);
      return std::nullopt;
    }
    Close();
  }
  return Fail(kCannotAppend, path_, EAGAIN);
}

Failure LogFile::LastByte(std::optional<char>& last) {
  last.reset();
  struct stat st {};
  if (::fstat(static_cast<int>(reader_), &st) != 0) return Fail(kCannotRead, path_, errno);
  length_ = static_cast<std::uint64_t>(st.st_size);
  if (length_ == 0) return std::nullopt;
  char byte = 0;
  ssize_t r = 0;
  do {
    r = ::pread(static_cast<int>(reader_), &byte, 1, st.st_size - 1);
  } while (r < 0 && errno == EINTR);
  if (r < 0) return Fail(kCannotRead, path_, errno);
  if (r == 1) last = byte;  // else the file was cut short meanwhile
  return std::nullopt;
}

Failure LogFile::Append(std::string_view bytes) {
  const int fd = static_cast<int>(appender_);
  std::size_t written = 0;
  int error = 0;
  while (written < bytes.size() && error == 0) {
    const ssize_t w = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (w > 0) {
      written += static_cast<std::size_t>(w);
    } else if (w == 0 || errno != EINTR) {
      error = w == 0 ? EIO : errno;
    }
  }
  if (error != 0) {
    // The part that went in ends where the descriptor's offset stands. It is taken back
    // only while the file still ends with it: whatever a logger has appended since stays.
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    struct stat st {};
    if (written > 0 && end >= 0 && ::fstat(fd, &st) == 0 && st.st_size == end) {
      // The reason told is the write's, also should the taking back fail.
      const int undone = ::ftruncate(fd, end - static_cast<off_t>(written));
      static_cast<void>(undone);
    }
    return Fail(kCannotAppend, path_, error);
  }
  struct stat st {};
  if (::fstat(static_cast<int>(reader_), &st) != 0) return Fail(kCannotRead, path_, errno);
  length_ = static_cast<std::uint64_t>(st.st_size);
  return std::nullopt;
}

Failure LogFile::ReadAt(std::uint64_t offset, char* into, std::size_t n, std::size_t& got) {
  got = 0;
  if (offset >= length_) return std::nullopt;
  if (n > length_ - offset) n = static_cast<std::size_t>(length_ - offset);
  ssize_t r = 0;
  do {
    r = ::pread(static_cast<int>(reader_), into, n, static_cast<off_t>(offset));
  } while (r < 0 && errno == EINTR);
  if (r < 0) return Fail(kCannotRead, path_, errno);
  // A file cut short meanwhile ends here.
  if (r == 0) length_ = offset;
  got = static_cast<std::size_t>(r);
  return std::nullopt;
}

Failure LogFile::OutOfMemory() const { return Fail(kCannotRead, path_, ENOMEM); }

}  // namespace tallyo
