// Files on Windows where the system behaves otherwise than a POSIX one: the separator,
// names in UTF-16, folders deeper than 260 characters, files other programs hold open,
// names the system does not take. Every refusal is a message naming the file as the user
// knows it and the system's own reason, and changes no state and no byte of any file.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "log/LoadLog.h"
#include "platform/FileMessages.h"
#include "platform/Files.h"
#include "platform/Path.h"
#include "platform/windows/WideText.h"
#include "support/LoggerFile.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

using test::LoggerFile;
using test::TempLogFolder;

std::wstring Long(const std::string& utf8Path) {
  std::wstring path;
  EXPECT_EQ(SystemPath(utf8Path, path), DWORD{NO_ERROR}) << utf8Path;
  return path;
}

// Writes and reads through the \\?\ form, which works at any depth.
void WriteFileAt(const std::string& path, std::string_view bytes) {
  const HANDLE h = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ::CloseHandle(h);
}

std::optional<std::string> ReadFileAt(const std::string& path) {
  const HANDLE h =
      ::CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  ::CloseHandle(h);
  return bytes;
}

// A folder below parent whose path is longer than 260 characters, with a logs folder.
std::string DeepProgramFolder(const std::string& parent) {
  std::string folder = parent;
  for (const char* part : {"Stra\xc3\x9f"
                           "e der Windr\xc3\xa4"
                           "der",
                           "x"}) {
    for (int i = 0; i < 4; ++i) {
      folder += "\\" + std::string(part) + std::string(50, static_cast<char>('a' + i));
      EXPECT_TRUE(::CreateDirectoryW(Long(folder).c_str(), nullptr)) << folder;
    }
  }
  EXPECT_GT(folder.size(), 300u);
  EXPECT_TRUE(::CreateDirectoryW(Long(JoinPath(folder, "logs")).c_str(), nullptr));
  return folder;
}

constexpr const char* kDay = "<T>01:00</T><V>1</V>\r\n<T>02:00</T><V>2</V>\r\n";

DisplayResult Display(DayRecords& state, const std::string& programFolder, std::string_view name) {
  return LoadLog(state, DisplayRequest{"00", "00", "23", "59", name, programFolder});
}

TEST(WindowsPathsTest, BackslashJoinsTheParts) {
  const struct {
    std::string folder, name, path;
  } cases[] = {
      {"C:\\Program Files\\Tallyo_viewer", "day 1.txt",
       "C:\\Program Files\\Tallyo_viewer\\logs\\day 1.txt"},
      {"C:\\", "a.txt", "C:\\logs\\a.txt"},  // the root keeps its one separator
      {"\\\\server\\share\\viewer", "a.txt", "\\\\server\\share\\viewer\\logs\\a.txt"},
      {"D:/viewer/", "a.txt", "D:/viewer/logs\\a.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(LogFilePath(c.folder, c.name), c.path) << c.folder;
  EXPECT_EQ(JoinPath("", "logs"), "logs");
}

TEST(WindowsPathsTest, SystemPathHasNoLengthLimit) {
  const struct {
    std::string path;
    std::wstring system;  // handed to the system
    std::wstring shown;   // without the prefix again
  } cases[] = {
      {"C:\\a\\logs\\x.txt", L"\\\\?\\C:\\a\\logs\\x.txt", L"C:\\a\\logs\\x.txt"},
      {"C:/a/b/../logs/./x.txt", L"\\\\?\\C:\\a\\logs\\x.txt", L"C:\\a\\logs\\x.txt"},
      {"\\\\server\\share\\x.txt", L"\\\\?\\UNC\\server\\share\\x.txt",
       L"\\\\server\\share\\x.txt"},
      {"\\\\?\\C:\\a\\x.txt", L"\\\\?\\C:\\a\\x.txt", L"C:\\a\\x.txt"},
      {"C:\\M\xc3\xa4\xc3\x9fig\\x.txt", L"\\\\?\\C:\\M\u00e4\u00dfig\\x.txt",
       L"C:\\M\u00e4\u00dfig\\x.txt"},
  };
  for (const auto& c : cases) {
    std::wstring got;
    ASSERT_EQ(SystemPath(c.path, got), DWORD{NO_ERROR}) << c.path;
    EXPECT_EQ(got, c.system) << c.path;
    EXPECT_EQ(WithoutLongPathPrefix(c.system), c.shown) << c.path;
  }
  std::wstring unused;
  EXPECT_EQ(SystemPath(std::string("a\0b", 3), unused), DWORD{ERROR_INVALID_NAME});
  EXPECT_EQ(SystemPath("a\xff.txt", unused), DWORD{ERROR_NO_UNICODE_TRANSLATION});
}

// A name in UTF-8 reaches the system as the same name in UTF-16, also in a program folder
// deeper than 260 characters; a message shows the path without the \\?\ prefix.
TEST(WindowsFilesTest, NonAsciiNamesAndDeepFolders) {
  TempLogFolder folder;
  const std::string name = "M\xc3\xa4\xc3\x9fig 2026-11-25.txt";
  for (const std::string& programFolder :
       {folder.ProgramFolder(), DeepProgramFolder(folder.ProgramFolder())}) {
    SCOPED_TRACE(programFolder);
    const std::string path = LogFilePath(programFolder, name);
    WriteFileAt(path, kDay);
    auto state = std::make_unique<DayRecords>();
    ASSERT_EQ(Display(*state, programFolder, name).outcome, DisplayOutcome::kLoaded);
    EXPECT_EQ(state->recordCount, 2);
    EXPECT_EQ(state->voltsSeries[2], 2);
    EXPECT_EQ(ReadFileAt(path), std::string(kDay) + "\r\n");
    // The name as the system lists it.
    WIN32_FIND_DATAW found{};
    const HANDLE find =
        ::FindFirstFileW(Long(JoinPath(programFolder, "logs\\*.txt")).c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(found.cFileName), L"M\u00e4\u00dfig 2026-11-25.txt");
    ::FindClose(find);

    ASSERT_TRUE(::CreateDirectoryW(Long(LogFilePath(programFolder, "dir.txt")).c_str(), nullptr));
    const DisplayResult r = Display(*state, programFolder, "dir.txt");
    EXPECT_EQ(r.message, "Cannot read the log file \"" + LogFilePath(programFolder, "dir.txt") +
                             "\": " + SystemMessage(ERROR_ACCESS_DENIED));
  }
}

// What the logger allows while it holds the day's file decides what a display can do.
// A refusal leaves the state, the file and the logs folder as they were.
TEST(WindowsFilesTest, FaultsChangeNothing) {
  TempLogFolder folder;
  TempLogFolder noLogs(/*withLogsFolder=*/false);
  folder.WriteLog("earlier.txt", kDay);
  auto state = std::make_unique<DayRecords>();
  ASSERT_EQ(Display(*state, folder.ProgramFolder(), "earlier.txt").outcome,
            DisplayOutcome::kLoaded);
  std::filesystem::create_directory(folder.LogPath("dir.txt"));
  folder.WriteLog("held.txt", kDay);
  const struct {
    const char* what;
    std::string programFolder;
    std::string name;
    DWORD loggerShare;  // the logger holds the file with this sharing; ~0u: not held
    const char* message;
    DWORD reason;
  } cases[] = {
      {"held, shared with nobody", folder.ProgramFolder(), "held.txt", 0, "Cannot read",
       ERROR_SHARING_VIOLATION},
      {"held, shared for reading only", folder.ProgramFolder(), "held.txt", FILE_SHARE_READ,
       "Cannot append to", ERROR_SHARING_VIOLATION},
      {"a folder of that name", folder.ProgramFolder(), "dir.txt", ~0u, "Cannot read",
       ERROR_ACCESS_DENIED},
      {"no logs folder", noLogs.ProgramFolder(), "a.txt", ~0u, "Cannot append to",
       ERROR_PATH_NOT_FOUND},
      {"a name Windows does not take", folder.ProgramFolder(), "a?b.txt", ~0u, "Cannot read",
       ERROR_INVALID_NAME},
      {"a NUL in the name", folder.ProgramFolder(), std::string("a\0b.txt", 7), ~0u, "Cannot read",
       ERROR_INVALID_NAME},
      {"not UTF-8", folder.ProgramFolder(), "a\xff.txt", ~0u, "Cannot read",
       ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::optional<LoggerFile> logger;
    if (c.loggerShare != ~0u) {
      logger.emplace(folder.LogPath(c.name), c.loggerShare);
      ASSERT_TRUE(logger->IsOpen());
    }
    const DisplayResult r = Display(*state, c.programFolder, c.name);
    EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
    EXPECT_EQ(r.message, std::string(c.message) + " the log file \"" +
                             LogFilePath(c.programFolder, c.name) +
                             "\": " + SystemMessage(c.reason));
    EXPECT_EQ(state->recordCount, 2);
    EXPECT_EQ(state->voltsSeries[2], 2);
  }
  EXPECT_EQ(folder.ReadLog("held.txt"), kDay);
  EXPECT_TRUE(std::filesystem::is_empty(folder.LogPath("dir.txt")));
  EXPECT_FALSE(std::filesystem::exists(noLogs.LogsFolder()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.LogsFolder()),
                          std::filesystem::directory_iterator()),
            3);  // nothing created
}

// A logger that shares the file for writing goes on writing while the viewer displays it:
// each display reads what is there, and every later line of the logger arrives.
TEST(WindowsFilesTest, LoggerHoldingTheFileWithSharingGoesOnWriting) {
  for (const DWORD share : {DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE},
                            DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
    SCOPED_TRACE(share);
    TempLogFolder folder;
    folder.WriteLog("day.txt", "");
    LoggerFile logger(folder.LogPath("day.txt"), share);
    ASSERT_TRUE(logger.IsOpen());
    auto state = std::make_unique<DayRecords>();
    ASSERT_TRUE(logger.Write("<T>01:00</T><V>1</V>\r\n"));
    ASSERT_EQ(Display(*state, folder.ProgramFolder(), "day.txt").outcome, DisplayOutcome::kLoaded);
    EXPECT_EQ(state->recordCount, 1);
    ASSERT_TRUE(logger.Write("<T>01:01</T><V>2</V>\r\n"));
    ASSERT_TRUE(logger.Write("<T>01:02</T><V>3</V>\r\n"));
    ASSERT_EQ(Display(*state, folder.ProgramFolder(), "day.txt").outcome, DisplayOutcome::kLoaded);
    EXPECT_EQ(state->recordCount, 3);
    EXPECT_EQ(state->voltsSeries[3], 3);
    ASSERT_TRUE(logger.Write("<T>01:03</T><V>4</V>\r\n"));
    EXPECT_EQ(folder.ReadLog("day.txt"),
              "<T>01:00</T><V>1</V>\r\n\r\n<T>01:01</T><V>2</V>\r\n<T>01:02</T><V>3</V>\r\n\r\n"
              "<T>01:03</T><V>4</V>\r\n");
  }
}

// A caption of blanks names no file on Windows, which drops a name's trailing blanks: the
// path is the logs folder itself, refused like any folder, and nothing is created.
TEST(WindowsFilesTest, ACaptionOfBlanksIsRefused) {
  TempLogFolder folder;
  auto state = std::make_unique<DayRecords>();
  const DisplayResult r = Display(*state, folder.ProgramFolder(), "  ");
  EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
  EXPECT_EQ(r.message.rfind("Cannot read the log file \"" + folder.LogPath("  ") + "\": ", 0), 0u)
      << r.message;
  EXPECT_TRUE(std::filesystem::is_empty(folder.LogsFolder()));
}

// The program folder is the folder of the running .exe, whatever its name: a copy of this
// test program in a folder named in UTF-16 writes what it finds there. (A program cannot
// be started from a folder deeper than 260 characters, neither under Wine 8 nor on Windows
// without a long-path manifest; the files in such a folder are checked above.)
// A machine out of memory is told in the system's words like every other file failure,
// not in the C runtime's English.
TEST(WindowsFilesTest, OutOfMemoryIsToldInTheSystemsWords) {
  TempLogFolder folder;
  folder.WriteLog("day.txt", "");
  LogFile file;
  ASSERT_EQ(file.OpenToRead(folder.LogPath("day.txt")), std::nullopt);
  EXPECT_EQ(file.OutOfMemory(), FileFailure(kCannotRead, folder.LogPath("day.txt"),
                                            SystemMessage(ERROR_NOT_ENOUGH_MEMORY)));
}

// A name the system gives that is no valid UTF-16 (a surrogate on its own) converts to
// UTF-8 and back to exactly itself, so its row opens exactly that file. (Wine makes no
// file of such a name, so the files themselves are tried on Linux, with names that are no
// valid UTF-8.)
TEST(WindowsPathsTest, EveryNameConvertsBackToItself) {
  const std::wstring names[] = {
      L"caf\u00e9.txt",
      std::wstring(L"caf") + wchar_t(0xD800) + L".txt",              // a lead surrogate alone
      std::wstring(L"caf") + wchar_t(0xDC00) + L".txt",              // a trail surrogate alone
      std::wstring(L"x") + wchar_t(0xDC00) + wchar_t(0xD800),        // the two in the wrong order
      std::wstring(L"\U0001F32C wind") + wchar_t(0xDBFF) + L".txt",  // a pair, then one alone
  };
  for (const std::wstring& name : names) {
    const std::optional<std::wstring> back = WideFromUtf8(Utf8FromWide(name));
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == name);
  }
  // Distinct names stay distinct, also where they look alike.
  EXPECT_NE(Utf8FromWide(names[1]), Utf8FromWide(L"caf\uFFFD.txt"));
  // The one form of a pair is its four bytes; its halves written on their own are no name.
  EXPECT_FALSE(WideFromUtf8("\xed\xa0\xbc\xed\xbc\xac"));
  EXPECT_FALSE(WideFromUtf8("a\xff.txt"));
}

// Disk states a Windows program cannot make: support/host-disk.sh makes them on the host
// before this runs as a ctest entry of its own, and checks afterwards that the pipe's
// writer still got its line to a reader.
std::string HostDisk() {
  const char* folder = std::getenv("TALLYO_HOST_DISK");
  return folder ? folder : "";
}

TEST(WindowsHostDiskTest, APipesWriterNeverNoticesTheViewer) {
  if (HostDisk().empty()) GTEST_SKIP() << "runs as the ctest entry WindowsHostDiskTest";
  const std::string pipe = HostDisk() + "\\pipe.txt";
  for (int display = 0; display < 2; ++display) {
    LogFile file;
    const Failure failure = file.OpenToAppend(pipe);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->rfind("Cannot read the log file \"" + pipe + "\": ", 0), 0u) << *failure;
  }
}

TEST(WindowsHostDiskTest, ALinkThatLeadsNowhereMakesNothing) {
  if (HostDisk().empty()) GTEST_SKIP() << "runs as the ctest entry WindowsHostDiskTest";
  const std::string link = HostDisk() + "\\link.txt";
  LogFile file;
  EXPECT_EQ(file.OpenToAppend(link),
            FileFailure(kCannotAppend, link, SystemMessage(ERROR_FILE_NOT_FOUND)));
}

TEST(WindowsHostDiskTest, AFullDiskLeavesTheFileAsItWas) {
  if (HostDisk().empty()) GTEST_SKIP() << "runs as the ctest entry WindowsHostDiskTest";
  const std::string day = HostDisk() + "\\full\\day.txt";
  const auto before = ReadFileAt(day);
  if (!before) GTEST_SKIP() << "a small file system needs root (mounting a tmpfs)";
  LogFile file;
  ASSERT_EQ(file.OpenToAppend(day), std::nullopt);
  EXPECT_EQ(file.Append("\r\n"), FileFailure(kCannotAppend, day, SystemMessage(ERROR_DISK_FULL)));
  EXPECT_EQ(ReadFileAt(day), before);
}

TEST(WindowsProgramFolderTest, IsTheFolderOfTheRunningProgram) {
  TempLogFolder folder;
  const std::string named = JoinPath(folder.ProgramFolder(),
                                     "Stra\xc3\x9f"
                                     "e der Windr\xc3\xa4"
                                     "der");
  ASSERT_TRUE(::CreateDirectoryW(Long(named).c_str(), nullptr));
  std::wstring self(32768, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
  const std::string copy = JoinPath(named, "tallyo_tests.exe");
  ASSERT_TRUE(::CopyFileW(self.c_str(), Long(copy).c_str(), TRUE));

  const std::wstring program = WithoutLongPathPrefix(Long(copy));
  std::wstring commandLine = L"\"" + program +
                             L"\" --gtest_filter=WindowsProgramFolderTest.DISABLED_WritesItsFolder "
                             L"--gtest_also_run_disabled_tests";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process))
      << ::GetLastError();
  const DWORD waited = ::WaitForSingleObject(process.hProcess, 60000);
  if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);  // ends with the test
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(ReadFileAt(JoinPath(named, "folder.txt")), named);
}

// Run only by the test above, in its copy of this program.
TEST(WindowsProgramFolderTest, DISABLED_WritesItsFolder) {
  const std::string folder = ProgramFolder();
  WriteFileAt(JoinPath(folder, "folder.txt"), folder);
}

}  // namespace
}  // namespace tallyo
