#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/Files.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

using test::TempLogFolder;

// The whole file through ReadAt, in reads of at most `at` bytes.
std::string ReadAll(LogFile& file, std::size_t at) {
  std::string bytes;
  std::string piece(at, '\0');
  for (std::size_t got = 1; got != 0;) {
    EXPECT_EQ(file.ReadAt(bytes.size(), piece.data(), at, got), std::nullopt);
    bytes.append(piece, 0, got);
  }
  return bytes;
}

TEST(LogFileTest, ReadsEveryByteUpToTheLengthItFound) {
  TempLogFolder folder;
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  bytes += std::string(3 << 20, 'x');  // a few MB
  folder.WriteLog("bin.txt", bytes);
  LogFile file;
  ASSERT_EQ(file.OpenToRead(folder.LogPath("bin.txt")), std::nullopt);
  EXPECT_EQ(file.Length(), bytes.size());
  // What is appended after the open waits for the next one.
  std::ofstream(test::NativePath(folder.LogPath("bin.txt")), std::ios::binary | std::ios::app)
      << "later";
  for (const std::size_t at : {std::size_t{1} << 20, std::size_t{4096}, std::size_t{7}}) {
    EXPECT_TRUE(ReadAll(file, at) == bytes) << at;  // no MB-long failure message
  }
}

TEST(LogFileTest, AppendsAtTheEndAndCreatesAMissingFile) {
  TempLogFolder folder;
  folder.WriteLog("a.txt", "line one\r\nline\ntwo\n");
  LogFile file;
  ASSERT_EQ(file.OpenToAppend(folder.LogPath("a.txt")), std::nullopt);
  std::optional<char> last;
  ASSERT_EQ(file.LastByte(last), std::nullopt);
  EXPECT_EQ(last, '\n');
  ASSERT_EQ(file.Append("\r\n"), std::nullopt);
  EXPECT_EQ(file.Length(), 21u);
  EXPECT_EQ(ReadAll(file, 5), "line one\r\nline\ntwo\n\r\n");

  LogFile created;
  ASSERT_EQ(created.OpenToAppend(folder.LogPath("new.txt")), std::nullopt);
  ASSERT_EQ(created.LastByte(last), std::nullopt);
  EXPECT_EQ(last, std::nullopt);
  EXPECT_EQ(created.Length(), 0u);
  EXPECT_EQ(folder.ReadLog("new.txt"), "");
}

TEST(LogFileTest, ReadingCreatesNothing) {
  TempLogFolder folder;
  LogFile file;
  const Failure failure = file.OpenToRead(folder.LogPath("none.txt"));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->rfind("Cannot read the log file \"" + folder.LogPath("none.txt") + "\": ", 0),
            0u);
  EXPECT_FALSE(folder.Exists("none.txt"));
}

TEST(LogFileTest, ReadOnlyFileIsLeftAsItIs) {
  TempLogFolder folder;
  folder.WriteLog("ro.txt", "<T>1:00</T>\r\n");
  if (!folder.MakeUnwritable(folder.LogPath("ro.txt"))) GTEST_SKIP() << "cannot lock a file";
  LogFile file;
  const Failure failure = file.OpenToAppend(folder.LogPath("ro.txt"));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(
      failure->rfind("Cannot append to the log file \"" + folder.LogPath("ro.txt") + "\": ", 0), 0u)
      << *failure;
  EXPECT_EQ(folder.ReadLog("ro.txt"), "<T>1:00</T>\r\n");
}

TEST(LogFileTest, ReadOnlyFolderCannotTakeANewFile) {
  TempLogFolder folder;
  if (!folder.MakeUnwritable(folder.LogsFolder())) GTEST_SKIP() << "cannot lock a folder";
  LogFile file;
  const Failure failure = file.OpenToAppend(folder.LogPath("new.txt"));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->rfind("Cannot append to the log file \"" + folder.LogPath("new.txt"), 0), 0u);
  EXPECT_FALSE(folder.Exists("new.txt"));
}

#ifndef _WIN32
// POSIX only: FIFOs, links, permission bits, a small file system of one's own, and the
// system's reasons as strerror words them. The Windows counterparts are in
// platform/windows/.
//
// Faults that even root cannot get past. Each leaves the file system as it was and names
// the full path and the reason; a link that leads nowhere is not followed to create what
// it names.
TEST(LogFileTest, FaultsTouchNothing) {
  TempLogFolder folder;
  TempLogFolder noLogs(/*withLogsFolder=*/false);
  TempLogFolder elsewhere;
  std::filesystem::create_directory(folder.LogPath("dir.txt"));
  ASSERT_EQ(::mkfifo(folder.LogPath("pipe.txt").c_str(), 0666), 0);
  folder.WriteLog("plain.txt", "p");
  std::filesystem::create_symlink(elsewhere.LogPath("gone.txt"), folder.LogPath("link.txt"));
  std::filesystem::create_symlink(folder.LogPath("loop.txt"), folder.LogPath("loop.txt"));
  const auto failure = [](const char* what, const std::string& path, const char* reason) {
    return std::string(what) + " the log file \"" + path + "\": " + reason;
  };
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {noLogs.LogPath("a.txt"),
       failure("Cannot append to", noLogs.LogPath("a.txt"), "No such file or directory")},
      {folder.LogPath("dir.txt"),
       failure("Cannot read", folder.LogPath("dir.txt"), "Is a directory")},
      {folder.LogPath("pipe.txt"),
       failure("Cannot read", folder.LogPath("pipe.txt"), "Not a regular file")},
      {folder.LogPath("plain.txt/a.txt"),
       failure("Cannot read", folder.LogPath("plain.txt/a.txt"), "Not a directory")},
      {folder.LogPath(std::string(300, 'n')),
       failure("Cannot read", folder.LogPath(std::string(300, 'n')), "File name too long")},
      {folder.LogPath(std::string("a\0b.txt", 7)),
       failure("Cannot read", folder.LogPath(std::string("a\0b.txt", 7)), "Invalid argument")},
      {folder.LogPath("link.txt"),
       failure("Cannot append to", folder.LogPath("link.txt"), "No such file or directory")},
      {folder.LogPath("loop.txt"),
       failure("Cannot read", folder.LogPath("loop.txt"), "Too many levels of symbolic links")},
  };
  for (const auto& c : cases) {
    LogFile file;
    EXPECT_EQ(file.OpenToAppend(c.path), c.message);
  }
  EXPECT_FALSE(std::filesystem::exists(noLogs.LogsFolder()));
  EXPECT_TRUE(std::filesystem::is_empty(folder.LogPath("dir.txt")));
  EXPECT_EQ(folder.ReadLog("plain.txt"), "p");
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere.LogsFolder()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.LogsFolder()),
                          std::filesystem::directory_iterator()),
            5);  // nothing created
}

// A link to a day file elsewhere is a user's choice: it is read and appended to.
TEST(LogFileTest, ALinkToAFileIsFollowed) {
  TempLogFolder folder;
  TempLogFolder elsewhere;
  elsewhere.WriteLog("day.txt", "<T>1:00</T>\r\n");
  std::filesystem::create_symlink(elsewhere.LogPath("day.txt"), folder.LogPath("day.txt"));
  LogFile file;
  ASSERT_EQ(file.OpenToAppend(folder.LogPath("day.txt")), std::nullopt);
  ASSERT_EQ(file.Append("\r\n"), std::nullopt);
  EXPECT_EQ(elsewhere.ReadLog("day.txt"), "<T>1:00</T>\r\n\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.LogPath("day.txt")));
}

TEST(LogFileTest, UnreadableFileIsNotAppendedTo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  TempLogFolder folder;
  folder.WriteLog("wo.txt", "abc");
  ASSERT_EQ(::chmod(folder.LogPath("wo.txt").c_str(), 0200), 0);
  LogFile file;
  EXPECT_EQ(file.OpenToAppend(folder.LogPath("wo.txt")),
            "Cannot read the log file \"" + folder.LogPath("wo.txt") + "\": Permission denied");
  ::chmod(folder.LogPath("wo.txt").c_str(), 0600);
  EXPECT_EQ(folder.ReadLog("wo.txt"), "abc");
}

// The kernel's word for what a process waits on, or "" when it does not tell.
std::string WaitChannel(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/wchan");
  std::string word;
  in >> word;
  return word;
}

// A writer that opens a pipe of a day's name waits in its open until a reader comes. The
// viewer is no reader: after its display the writer still waits, and its line reaches the
// reader that does come.
TEST(LogFileTest, APipesWriterNeverNoticesTheViewer) {
  TempLogFolder folder;
  const std::string pipe = folder.LogPath("pipe.txt");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    const int fd = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
    const bool wrote = fd >= 0 && ::write(fd, "<T>01:00</T>\r\n", 14) == 14;
    std::_Exit(wrote ? 0 : 1);
  }
  // Until the writer waits in its open; where the kernel does not tell, a moment.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    const std::string wait = WaitChannel(writer);
    if (wait == "wait_for_partner" || wait == "fifo_open") break;
    if (wait.empty() || wait == "0") {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      break;
    }
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the writer never waits: " << wait;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (int display = 0; display < 2; ++display) {
    LogFile file;
    EXPECT_EQ(file.OpenToAppend(pipe),
              "Cannot read the log file \"" + pipe + "\": Not a regular file");
  }
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  char got[32] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 14);
  EXPECT_STREQ(got, "<T>01:00</T>\r\n");
  ::close(reader);
  int status = 0;
  ASSERT_EQ(::waitpid(writer, &status, 0), writer);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer ended with " << status;
}

// A full disk: a small file system of its own where the day's last page has room for one
// byte of the two. The append fails with the system's reason and takes back the byte that
// went in, so the file is as it was.
TEST(LogFileTest, AFullDiskLeavesTheFileAsItWas) {
  TempLogFolder folder;
  const std::string disk = folder.LogsFolder();
  if (::geteuid() != 0 || ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "a small file system needs root (mounting a tmpfs)";
  }
  struct Unmount {
    std::string at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{disk};
  const std::string day(4095, 'x');  // one byte short of a whole page
  folder.WriteLog("day.txt", day);
  {
    std::ofstream fill(test::NativePath(folder.LogPath("fill")), std::ios::binary);
    const std::string page(4096, 'f');
    while (fill.write(page.data(), page.size())) {
    }
  }
  LogFile file;
  ASSERT_EQ(file.OpenToAppend(folder.LogPath("day.txt")), std::nullopt);
  EXPECT_EQ(file.Append("\r\n"), "Cannot append to the log file \"" + folder.LogPath("day.txt") +
                                     "\": No space left on device");
  EXPECT_EQ(folder.ReadLog("day.txt"), day);
}
#endif  // _WIN32

}  // namespace
}  // namespace tallyo
