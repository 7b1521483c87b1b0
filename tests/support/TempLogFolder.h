#pragma once
// A program folder of its own for one test: a fresh temporary folder that may hold a
// "logs" folder, removed with everything in it when the object goes.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tallyo::test {

class TempLogFolder {
 public:
  explicit TempLogFolder(bool withLogsFolder = true) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        (tmp && *tmp ? std::string(tmp) : std::string("/tmp")) + "/tallyo-test-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    if (withLogsFolder) std::filesystem::create_directory(LogsFolder());
  }
  TempLogFolder(const TempLogFolder&) = delete;
  TempLogFolder& operator=(const TempLogFolder&) = delete;
  ~TempLogFolder() {
    for (const std::string& p : locked_) SetUnwritable(p, false);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  const std::string& ProgramFolder() const { return root_; }
  std::string LogsFolder() const { return root_ + "/logs"; }
  std::string LogPath(std::string_view name) const {
    return LogsFolder() + "/" + std::string(name);
  }

  void WriteLog(std::string_view name, std::string_view bytes) const {
    std::ofstream f(LogPath(name), std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + LogPath(name));
  }
  // The file's bytes, or nullopt when it cannot be read (missing, a folder, ...).
  std::optional<std::string> ReadLog(std::string_view name) const {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(LogPath(name), ec)) return std::nullopt;
    std::ifstream f(LogPath(name), std::ios::binary);
    if (!f) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  bool Exists(std::string_view name) const {
    std::error_code ec;
    return std::filesystem::exists(LogPath(name), ec);
  }

  // Makes a file or folder refuse writing, also to root (who ignores permission bits):
  // as root through the immutable flag. Returns false where neither is possible, and the
  // test should then be skipped. Undone when the folder goes.
  bool MakeUnwritable(const std::string& path) {
    if (!SetUnwritable(path, true)) return false;
    locked_.push_back(path);
    return true;
  }

 private:
  static bool SetUnwritable(const std::string& path, bool on) {
    if (::geteuid() != 0) {
      struct stat st {};
      if (::stat(path.c_str(), &st) != 0) return false;
      mode_t mode = st.st_mode & 07777;
      mode = on ? (mode & ~0222) : (mode | 0200);
      return ::chmod(path.c_str(), mode) == 0;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
  }

  std::string root_;
  std::vector<std::string> locked_;
};

}  // namespace tallyo::test
