#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "platform/FileMessages.h"

namespace tallyo {

namespace {

std::string Failure(const char* what, const std::string& path, int error) {
  return FileFailure(what, path, std::strerror(error));
}

// Closes the descriptor it holds on every way out.
class Descriptor {
 public:
  Descriptor() = default;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  // Opens the file and fills st; nullptr when it is a regular file, else the reason to
  // report. A folder, a pipe or a device under a log file's name must neither be appended
  // to nor read (a pipe could block the window for good, a device could read without end).
  const char* Open(const char* path, int flags, struct stat& st, mode_t mode = 0) {
    do {
      fd_ = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(st.st_mode)) return "Not a regular file";
    return nullptr;
  }
  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Returns 0 or the error of the close (which some file systems report only there).
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_ = -1;
};

}  // namespace

std::string OutOfMemoryFailure(const std::string& path) {
  return Failure(kCannotRead, path, ENOMEM);
}

std::optional<std::string> AppendEmptyLineAndRead(const std::string& path, FileBuffer& out) {
  if (path.find('\0') != std::string::npos) return Failure(kCannotRead, path, EINVAL);

  // Opened for reading first: a file that cannot be read is left exactly as it is.
  // O_NONBLOCK keeps a pipe of that name from blocking the open.
  Descriptor reader;
  struct stat st {};
  const char* unreadable = reader.Open(path.c_str(), O_RDONLY | O_NONBLOCK, st);
  if (unreadable && (reader.IsOpen() || errno != ENOENT)) {
    return FileFailure(kCannotRead, path, unreadable);
  }

  {
    Descriptor appender;
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK;
    if (const char* e = appender.Open(path.c_str(), flags, st, 0666)) {
      return FileFailure(kCannotAppend, path, e);
    }
    static constexpr char kEmptyLine[] = {'\r', '\n'};
    std::size_t written = 0;
    while (written < sizeof kEmptyLine) {
      const ssize_t w = ::write(appender.Get(), kEmptyLine + written, sizeof kEmptyLine - written);
      if (w < 0) {
        if (errno == EINTR) continue;
        return Failure(kCannotAppend, path, errno);
      }
      written += static_cast<std::size_t>(w);
    }
    if (const int e = appender.Close()) return Failure(kCannotAppend, path, e);
  }

  // The size again, now with the empty line.
  if (!reader.IsOpen()) {
    if (const char* e = reader.Open(path.c_str(), O_RDONLY | O_NONBLOCK, st)) {
      return FileFailure(kCannotRead, path, e);
    }
  } else if (::fstat(reader.Get(), &st) != 0) {
    return Failure(kCannotRead, path, errno);
  }
  // The length is taken once: what the logger appends after this moment waits for the
  // next display.
  const auto length = static_cast<std::size_t>(st.st_size);

  char* data = nullptr;
  try {
    data = out.Reset(length);
  } catch (const std::bad_alloc&) {  // the buffer is left empty
    return Failure(kCannotRead, path, ENOMEM);
  }
  // One read brings the whole file; the loop only matters for files beyond what a single
  // read returns (2 GB on Linux) and for interrupted reads.
  std::size_t got = 0;
  while (got < length) {
    const ssize_t r = ::read(reader.Get(), data + got, length - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      out.Shrink(0);
      return Failure(kCannotRead, path, e);
    }
    if (r == 0) break;  // the file was cut short meanwhile: keep what arrived
    got += static_cast<std::size_t>(r);
  }
  out.Shrink(got);
  return std::nullopt;
}

}  // namespace tallyo
