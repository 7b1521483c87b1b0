#pragma once
// A program folder of its own for one test: a fresh temporary folder that may hold a
// "logs" folder, removed with everything in it when the object goes. Its paths are UTF-8
// text joined with the system's separator, as the program joins them.

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/WideText.h"
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tallyo::test {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// A UTF-8 path as the standard library's path, which on Windows would otherwise read a
// narrow string in the ANSI code page.
inline std::filesystem::path NativePath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Path(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

class TempLogFolder {
 public:
  explicit TempLogFolder(bool withLogsFolder = true) {
    const std::filesystem::path tmp = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; root_.empty(); ++attempt) {
      if (attempt == 100) throw std::runtime_error("cannot make a temporary folder");
      const std::filesystem::path p =
          tmp / ("tallyo-test-" + std::to_string(random() % 1000000007));
      std::error_code ec;
      if (std::filesystem::create_directory(p, ec)) root_ = Utf8Path(p);
    }
    while (root_.size() > 1 && (root_.back() == '/' || root_.back() == '\\')) root_.pop_back();
    if (withLogsFolder) std::filesystem::create_directory(NativePath(LogsFolder()));
  }
  TempLogFolder(const TempLogFolder&) = delete;
  TempLogFolder& operator=(const TempLogFolder&) = delete;
  ~TempLogFolder() { Remove(); }
  // Removes the folder now. A child process that ends with _Exit calls it: the destructor
  // never runs there, and a death test of the "threadsafe" style runs the test again from
  // its start in the child, with a folder of its own.
  void Remove() {
    if (root_.empty()) return;
    for (const std::string& p : locked_) SetUnwritable(p, false);
    locked_.clear();
    std::error_code ignored;
    std::filesystem::remove_all(RemovablePath(root_), ignored);
  }

  const std::string& ProgramFolder() const { return root_; }
  std::string LogsFolder() const { return root_ + kSeparator + "logs"; }
  std::string LogPath(std::string_view name) const {
    return LogsFolder() + kSeparator + std::string(name);
  }

  void WriteLog(std::string_view name, std::string_view bytes) const {
    std::ofstream f(NativePath(LogPath(name)), std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + LogPath(name));
  }
  // The file's bytes, or nullopt when it cannot be read (missing, a folder, ...).
  std::optional<std::string> ReadLog(std::string_view name) const {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(NativePath(LogPath(name)), ec)) return std::nullopt;
    std::ifstream f(NativePath(LogPath(name)), std::ios::binary);
    if (!f) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  // Whether the folder's disk can take `bytes` more and still leave a good margin for
  // the tests running beside this one and for the build. A test that writes big files
  // asks first and is skipped on a nearly full disk, rather than filling it.
  bool HasRoomFor(std::uintmax_t bytes) const {
    constexpr std::uintmax_t kMargin = std::uintmax_t{512} << 20;
    std::error_code ec;
    const std::filesystem::space_info space = std::filesystem::space(NativePath(root_), ec);
    return !ec && space.available >= bytes + kMargin;
  }
  bool Exists(std::string_view name) const {
    std::error_code ec;
    return std::filesystem::exists(NativePath(LogPath(name)), ec);
  }

  // Makes a file or folder refuse writing, also to root (who ignores permission bits):
  // as root through the immutable flag; on Windows a file through its read-only
  // attribute. Returns false where none is possible (a folder on Windows, whose read-only
  // attribute does not stop new files; Wine run as root, which ignores the attribute), and
  // the test should then be skipped. Undone when the folder goes.
  bool MakeUnwritable(const std::string& path) {
    if (!SetUnwritable(path, true)) return false;
    locked_.push_back(path);
    return true;
  }

 private:
#ifdef _WIN32
  // The \\?\ form, so that folders deeper than 260 characters go too.
  static std::filesystem::path RemovablePath(const std::string& path) {
    std::wstring converted;
    if (SystemPath(path, converted) == NO_ERROR) return converted;
    return NativePath(path);
  }
  static bool SetUnwritable(const std::string& path, bool on) {
    std::wstring p;
    if (SystemPath(path, p) != NO_ERROR) return false;
    const DWORD attributes = ::GetFileAttributesW(p.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return false;
    }
    const DWORD changed =
        on ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!::SetFileAttributesW(p.c_str(), changed)) return false;
    if (!on) return true;
    // The attribute must really stop an append.
    const HANDLE h = ::CreateFileW(p.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    ::CloseHandle(h);
    ::SetFileAttributesW(p.c_str(), attributes);
    return false;
  }
#else
  static std::filesystem::path RemovablePath(const std::string& path) { return path; }
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
#endif

  std::string root_;
  std::vector<std::string> locked_;
};

}  // namespace tallyo::test
