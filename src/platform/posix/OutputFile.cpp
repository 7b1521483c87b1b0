#include "platform/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileMessages.h"

namespace tallyo {

Failure OutputFile::Create(const std::string& path) {
  (void)Close();
  path_ = path;
  if (path.find('\0') != std::string::npos) return OutputFailure(path, std::strerror(EINVAL));
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return OutputFailure(path, std::strerror(errno));
  handle_ = fd;
  return std::nullopt;
}

Failure OutputFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return OutputFailure(path_, std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

Failure OutputFile::Close() {
  if (handle_ < 0) return std::nullopt;
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  // The descriptor is gone whatever close says, also after EINTR.
  if (::close(fd) != 0 && errno != EINTR) return OutputFailure(path_, std::strerror(errno));
  return std::nullopt;
}

}  // namespace tallyo
