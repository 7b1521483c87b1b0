#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

using test::TempLogFolder;

TEST(FileBufferTest, KeepsItsStorageWhenItNeedsNoMore) {
  FileBuffer b;
  EXPECT_EQ(b.Size(), 0u);
  EXPECT_TRUE(b.View().empty());
  char* first = b.Reset(1000);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(b.Size(), 1000u);
  EXPECT_GE(b.Capacity(), 1000u);
  const std::size_t capacity = b.Capacity();
  EXPECT_EQ(b.Reset(10), first);
  EXPECT_EQ(b.Size(), 10u);
  EXPECT_EQ(b.Reset(1002), first);  // a file two bytes longer fits the same storage
  EXPECT_EQ(b.Capacity(), capacity);
  b.Reset(capacity + 1);
  EXPECT_GE(b.Capacity(), capacity + 1);
  b.Shrink(5);
  EXPECT_EQ(b.Size(), 5u);
  b.Shrink(50);  // never grows
  EXPECT_EQ(b.Size(), 5u);
}

TEST(AppendEmptyLineAndReadTest, AppendsAndReadsTheWholeFile) {
  TempLogFolder folder;
  folder.WriteLog("a.txt", "line one\r\nline\ntwo");
  FileBuffer b;
  EXPECT_EQ(AppendEmptyLineAndRead(folder.LogPath("a.txt"), b), std::nullopt);
  EXPECT_EQ(b.View(), "line one\r\nline\ntwo\r\n");
  EXPECT_EQ(AppendEmptyLineAndRead(folder.LogPath("a.txt"), b), std::nullopt);
  EXPECT_EQ(b.View(), "line one\r\nline\ntwo\r\n\r\n");
  EXPECT_EQ(folder.ReadLog("a.txt"), "line one\r\nline\ntwo\r\n\r\n");
}

TEST(AppendEmptyLineAndReadTest, CreatesAMissingFile) {
  TempLogFolder folder;
  FileBuffer b;
  EXPECT_EQ(AppendEmptyLineAndRead(folder.LogPath("new.txt"), b), std::nullopt);
  EXPECT_EQ(b.View(), "\r\n");
  EXPECT_EQ(folder.ReadLog("new.txt"), "\r\n");
}

TEST(AppendEmptyLineAndReadTest, ReadsEveryByte) {
  TempLogFolder folder;
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  bytes += std::string(3 << 20, 'x');  // a few MB in one go
  folder.WriteLog("bin.txt", bytes);
  FileBuffer b;
  b.Reset(7);  // a smaller earlier content is replaced
  ASSERT_EQ(AppendEmptyLineAndRead(folder.LogPath("bin.txt"), b), std::nullopt);
  EXPECT_EQ(b.View(), bytes + "\r\n");
}

#ifndef _WIN32
// POSIX only: a FIFO, and the system's reasons as strerror words them. The Windows
// counterparts are in platform/windows/.
//
// Faults that even root cannot get past. Each leaves the buffer and the file system as
// they were and names the full path and the reason.
TEST(AppendEmptyLineAndReadTest, FaultsTouchNothing) {
  TempLogFolder folder;
  TempLogFolder noLogs(/*withLogsFolder=*/false);
  std::filesystem::create_directory(folder.LogPath("dir.txt"));
  ASSERT_EQ(::mkfifo(folder.LogPath("pipe.txt").c_str(), 0666), 0);
  folder.WriteLog("plain.txt", "p");
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {noLogs.LogPath("a.txt"), "Cannot append to the log file \"" + noLogs.LogPath("a.txt") +
                                    "\": No such file or directory"},
      {folder.LogPath("dir.txt"),
       "Cannot read the log file \"" + folder.LogPath("dir.txt") + "\": Is a directory"},
      {folder.LogPath("pipe.txt"),
       "Cannot read the log file \"" + folder.LogPath("pipe.txt") + "\": Not a regular file"},
      {folder.LogPath("plain.txt/a.txt"),
       "Cannot read the log file \"" + folder.LogPath("plain.txt/a.txt") + "\": Not a directory"},
      {folder.LogPath(std::string(300, 'n')), "Cannot read the log file \"" +
                                                  folder.LogPath(std::string(300, 'n')) +
                                                  "\": File name too long"},
      {folder.LogPath(std::string("a\0b.txt", 7)), "Cannot read the log file \"" +
                                                       folder.LogPath(std::string("a\0b.txt", 7)) +
                                                       "\": Invalid argument"},
  };
  for (const auto& c : cases) {
    FileBuffer b;
    b.Reset(3)[0] = 'k';
    const auto error = AppendEmptyLineAndRead(c.path, b);
    ASSERT_TRUE(error.has_value()) << c.path;
    EXPECT_EQ(*error, c.message);
    EXPECT_EQ(b.Size(), 3u);
    EXPECT_EQ(b.View()[0], 'k');
  }
  EXPECT_FALSE(std::filesystem::exists(noLogs.LogsFolder()));
  EXPECT_TRUE(std::filesystem::is_empty(folder.LogPath("dir.txt")));
  EXPECT_EQ(folder.ReadLog("plain.txt"), "p");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.LogsFolder()),
                          std::filesystem::directory_iterator()),
            3);  // nothing created
}
#endif  // _WIN32

TEST(AppendEmptyLineAndReadTest, ReadOnlyFileIsLeftAsItIs) {
  TempLogFolder folder;
  folder.WriteLog("ro.txt", "<T>1:00</T>\r\n");
  if (!folder.MakeUnwritable(folder.LogPath("ro.txt"))) GTEST_SKIP() << "cannot lock a file";
  FileBuffer b;
  const auto error = AppendEmptyLineAndRead(folder.LogPath("ro.txt"), b);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->rfind("Cannot append to the log file \"" + folder.LogPath("ro.txt") + "\": ", 0),
            0u)
      << *error;
  EXPECT_EQ(b.Size(), 0u);
  EXPECT_EQ(folder.ReadLog("ro.txt"), "<T>1:00</T>\r\n");
}

TEST(AppendEmptyLineAndReadTest, ReadOnlyFolderCannotTakeANewFile) {
  TempLogFolder folder;
  if (!folder.MakeUnwritable(folder.LogsFolder())) GTEST_SKIP() << "cannot lock a folder";
  FileBuffer b;
  const auto error = AppendEmptyLineAndRead(folder.LogPath("new.txt"), b);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->rfind("Cannot append to the log file \"" + folder.LogPath("new.txt"), 0), 0u);
  EXPECT_FALSE(folder.Exists("new.txt"));
}

#ifndef _WIN32
// POSIX only: permission bits. On Windows a file that cannot be read is one that another
// program holds without sharing it (platform/windows/).
TEST(AppendEmptyLineAndReadTest, UnreadableFileIsNotAppendedTo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
  TempLogFolder folder;
  folder.WriteLog("wo.txt", "abc");
  ASSERT_EQ(::chmod(folder.LogPath("wo.txt").c_str(), 0200), 0);
  FileBuffer b;
  EXPECT_EQ(AppendEmptyLineAndRead(folder.LogPath("wo.txt"), b),
            "Cannot read the log file \"" + folder.LogPath("wo.txt") + "\": Permission denied");
  ::chmod(folder.LogPath("wo.txt").c_str(), 0600);
  EXPECT_EQ(folder.ReadLog("wo.txt"), "abc");
}
#endif  // _WIN32

}  // namespace
}  // namespace tallyo
