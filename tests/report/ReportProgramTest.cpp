// The report's program file itself, run from a command line on each edition: the same
// table bytes as those kept for the generated days (so the Windows program under Wine, the
// arm64 one under qemu and the Linux one write the same), its exit statuses, and every day
// file left as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "report/ReportOptions.h"
#include "support/ProgramRun.h"
#include "support/ReportDays.h"
#include "support/TestDay.h"

namespace tallyo::test {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Every file of the folder with its bytes.
std::map<std::string, std::string> FilesOf(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder))) {
    files[Utf8Path(entry.path().filename())] = ReadFile(Utf8Path(entry.path()));
  }
  return files;
}

class ReportProgramTest : public ::testing::Test {
 protected:
  std::optional<ProgramRun> Run(const std::vector<std::string>& arguments) {
    return RunProgramFile(BuiltProgram("Tallyo_report"), arguments, folder_.ProgramFolder());
  }

  TempLogFolder folder_;
};

TEST_F(ReportProgramTest, WritesTheKeptTableAndLeavesEveryDayAsItWas) {
  WriteReportDays(folder_);
  // One day is still being written: its last line has no CR LF yet.
  const std::string today = TestDay(30).substr(0, TestDay(30).size() - 2);
  folder_.WriteLog("today.txt", today);
  const auto before = FilesOf(folder_.LogsFolder());
  const std::string golden = ReadFile(std::string(TALLYO_REPORT_GOLDEN) + "/days.csv");
  ASSERT_FALSE(golden.empty());

  const std::optional<ProgramRun> run = Run({folder_.LogsFolder()});
  ASSERT_TRUE(run);
  EXPECT_EQ(run->status, 0);
  EXPECT_EQ(run->err, "");
  // The kept table of the generated days, and the day being written before its total.
  const std::size_t total = golden.rfind("total,");
  ASSERT_NE(total, std::string::npos);
  EXPECT_EQ(run->out.substr(0, total), golden.substr(0, total));
  EXPECT_TRUE(run->out.substr(total).starts_with("today,30,00:00,00:05,")) << run->out;

  const std::string table = folder_.ProgramFolder() + kSeparator + "table.csv";
  const std::optional<ProgramRun> toFile = Run({"--output", table, folder_.LogsFolder()});
  ASSERT_TRUE(toFile);
  EXPECT_EQ(toFile->status, 0);
  EXPECT_EQ(toFile->out, "");
  EXPECT_EQ(ReadFile(table), run->out);

  EXPECT_EQ(FilesOf(folder_.LogsFolder()), before);
}

TEST_F(ReportProgramTest, ExitStatuses) {
  folder_.WriteLog("a.txt", TestDay(3));
  const std::optional<ProgramRun> refused = Run({"--interval", "x", folder_.LogsFolder()});
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 2);
  EXPECT_EQ(refused->out, "");
  // Standard error as the system writes lines: CR LF on Windows.
  std::string usage = "Tallyo_report: --interval wants a number of seconds, such as 10 or 60\n" +
                      std::string(kReportUsage);
#ifdef _WIN32
  for (std::size_t at = 0; (at = usage.find('\n', at)) != std::string::npos; at += 2) {
    usage.insert(at, 1, '\r');
  }
#endif
  EXPECT_EQ(refused->err, usage);

  const std::optional<ProgramRun> unreadable =
      Run({folder_.LogPath("a.txt"), folder_.LogPath("b.txt")});
  ASSERT_TRUE(unreadable);
  EXPECT_EQ(unreadable->status, 1);
  EXPECT_NE(unreadable->out.find("\r\na,3,"), std::string::npos) << unreadable->out;
  EXPECT_NE(unreadable->out.find("\r\nb,,"), std::string::npos) << unreadable->out;
  EXPECT_FALSE(folder_.Exists("b.txt"));

  const std::optional<ProgramRun> help = Run({"--help"});
  ASSERT_TRUE(help);
  EXPECT_EQ(help->status, 0);
  EXPECT_EQ(help->out, kReportHelp);
}

}  // namespace
}  // namespace tallyo::test
