// Where the report writes: standard output from a terminal, the file of --output, and,
// started without a console (a double-click on Windows), the table beside the program,
// opened with the default program, with what goes wrong in a message box.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "report/ReportFixture.h"
#include "support/TestDay.h"

namespace tallyo::test {
namespace {

using ReportConsoleTest = ReportFixture;

std::string BesideTheProgram(const TempLogFolder& folder) {
  return folder.ProgramFolder() + kSeparator + "Tallyo_report.csv";
}

std::string Read(const std::string& path) {
  std::ifstream f(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST_F(ReportConsoleTest, OutputGoesToTheFileOfOutput) {
  folder_.WriteLog("day.txt", TestDay(3));
  ASSERT_EQ(Run({}), 0);
  const std::string table = out_;
  const std::string path = folder_.ProgramFolder() + kSeparator + "month.csv";
  // A file already there is replaced.
  std::ofstream(NativePath(path)) << "an older, longer table than this one\n\n\n\n\n\n\n\n\n\n";
  ASSERT_EQ(Run({"--output", path}), 0);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(Read(path), table);
}

// A table is never written over a day the report reads.
TEST_F(ReportConsoleTest, OutputThatNamesADayIsRefused) {
  folder_.WriteLog("day.txt", TestDay(3));
  EXPECT_EQ(Run({"--output", folder_.LogPath("day.txt")}), 2);
  EXPECT_TRUE(err_.starts_with("Tallyo_report: the table would replace the day file \"" +
                               folder_.LogPath("day.txt") + "\", which the report only reads\n"))
      << err_;
  EXPECT_EQ(folder_.ReadLog("day.txt"), TestDay(3));
}

TEST_F(ReportConsoleTest, WithoutAConsoleTheTableLiesBesideTheProgramAndOpens) {
  folder_.WriteLog("day.txt", TestDay(3));
  ASSERT_EQ(Run({}), 0);
  const std::string table = out_;
  ASSERT_EQ(Run({}, true), 0);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(Read(BesideTheProgram(folder_)), table);
  EXPECT_EQ(opened_, std::vector<std::string>{BesideTheProgram(folder_)});
  EXPECT_TRUE(boxes_.empty());
  // Days dropped on the program: those days, in the same place.
  TempLogFolder other;
  other.WriteLog("other.txt", TestDay(7));
  ASSERT_EQ(Run({other.LogPath("other.txt")}, true), 0);
  EXPECT_NE(Read(BesideTheProgram(folder_)).find("\r\nother,7,"), std::string::npos);
}

// What goes wrong is told in a message box titled "Tallyo_report".
TEST_F(ReportConsoleTest, WithoutAConsoleFailuresAreToldInAMessageBox) {
  // No logs folder: the table says so in its note, and so does a box after it is opened.
  std::filesystem::remove(NativePath(folder_.LogsFolder()));
  EXPECT_EQ(Run({}, true), 1);
  EXPECT_EQ(opened_.size(), 1u);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].first, "Tallyo_report");
  EXPECT_TRUE(boxes_[0].second.starts_with("Not every day could be read")) << boxes_[0].second;
  EXPECT_NE(boxes_[0].second.find("\nCannot read the log file \"" + folder_.LogsFolder() + "\": "),
            std::string::npos)
      << boxes_[0].second;
  EXPECT_EQ(err_, "");

  // No program to open the table with.
  std::filesystem::create_directory(NativePath(folder_.LogsFolder()));
  folder_.WriteLog("day.txt", TestDay(3));
  openFailure_ = "Cannot open \"" + BesideTheProgram(folder_) + "\": no program for it";
  EXPECT_EQ(Run({}, true), 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].second, *openFailure_);

  // The table cannot be written: nothing is opened.
  std::filesystem::remove(NativePath(BesideTheProgram(folder_)));
  std::filesystem::create_directory(NativePath(BesideTheProgram(folder_)));
  EXPECT_EQ(Run({}, true), 1);
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_TRUE(boxes_[0].second.starts_with("Cannot write \"" + BesideTheProgram(folder_) + "\": "))
      << boxes_[0].second;

  // A bad option: the reason and the usage.
  EXPECT_EQ(Run({"--to", "25:00"}, true), 2);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_TRUE(boxes_[0].second.starts_with("Bad time format for finish time\nusage: "));
  EXPECT_TRUE(opened_.empty());
  EXPECT_EQ(folder_.ReadLog("day.txt"), TestDay(3));
}

}  // namespace
}  // namespace tallyo::test
