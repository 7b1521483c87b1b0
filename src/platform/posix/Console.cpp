#include "platform/Console.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace tallyo {

namespace {

// Writes all of bytes to the descriptor; the system's reason when it cannot.
Failure WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::string(std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return std::nullopt;
}

}  // namespace

Console SystemConsole() {
  Console console;
  console.writeOutput = [](std::string_view bytes) -> Failure {
    if (Failure failure = WriteAll(STDOUT_FILENO, bytes)) {
      return "Cannot write the standard output: " + *failure;
    }
    return std::nullopt;
  };
  // Nothing is left to tell about a standard error that cannot be written.
  console.writeError = [](std::string_view text) { (void)WriteAll(STDERR_FILENO, text); };
  // Never started without a console here; what would go into a box goes to standard error.
  console.showMessage = [](std::string_view title, std::string_view text) {
    (void)WriteAll(STDERR_FILENO, std::string(title) + ": " + std::string(text) + "\n");
  };
  console.openWithDefaultProgram = [](const std::string& path) -> Failure {
    return "Cannot open \"" + path + "\": the report opens no program on this system";
  };
  return console;
}

}  // namespace tallyo
