// The day table: the same bytes for the same days on every edition, every reading taken,
// a day that cannot be read among those that can, a day being written, the order of the
// days and the last row.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "report/ReportFixture.h"
#include "support/ReportDays.h"
#include "support/TestDay.h"

namespace tallyo::test {
namespace {

// The tables of the report's days kept in tests/report/golden. A run with the environment
// variable TALLYO_WRITE_GOLDEN set writes them anew (after a change of the report that
// changes them on purpose), and fails.
std::string GoldenPath(const std::string& name) {
  return std::string(TALLYO_REPORT_GOLDEN) + "/" + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream f(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

struct GoldenCase {
  const char* table;
  std::vector<std::string> options;
};
void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.table; }

class GoldenTableTest : public ReportFixture, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenTableTest, SameBytesOnEveryEdition) {
  const GoldenCase& c = GetParam();
  WriteReportDays(folder_);
  ASSERT_EQ(Run(c.options), 0) << err_;
  EXPECT_EQ(err_, "");
  if (std::getenv("TALLYO_WRITE_GOLDEN")) {
    std::ofstream(NativePath(GoldenPath(c.table)), std::ios::binary) << out_;
    FAIL() << "wrote " << GoldenPath(c.table);
  }
  const std::string golden = ReadAll(GoldenPath(c.table));
  ASSERT_FALSE(golden.empty()) << GoldenPath(c.table);
  EXPECT_EQ(out_, golden);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, GoldenTableTest,
    ::testing::Values(GoldenCase{"days.csv", {}},
                      GoldenCase{"days-morning-60s.csv",
                                 {"--from", "06:30", "--to", "11:45", "--interval", "60"}},
                      GoldenCase{"power-curve.csv", {"--power-curve"}},
                      GoldenCase{"power-curve-afternoon.csv",
                                 {"--power-curve", "0.5", "--from", "12:00", "--to", "18:00"}}));

using DayTableTest = ReportFixture;

// The lines of the table, without their CR LF.
std::vector<std::string> Lines(const std::string& table) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t end; (end = table.find("\r\n", from)) != std::string::npos; from = end + 2) {
    lines.push_back(table.substr(from, end - from));
  }
  EXPECT_EQ(from, table.size()) << "the table does not end with CR LF";
  return lines;
}

// Every name in the folder.
std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder))) {
    names.push_back(Utf8Path(entry.path().filename()));
  }
  return names;
}

// The viewer stops at the 9,999th reading; the report draws nothing and takes them all.
TEST_F(DayTableTest, MoreThan9999ReadingsAreAllTaken) {
  folder_.WriteLog("long.txt", TestDay(12000, 5));
  ASSERT_EQ(Run({}), 0);
  const std::vector<std::string> lines = Lines(out_);
  ASSERT_EQ(lines.size(), 3u);
  // The last reading, at 16:40:00, has the highest volts and amps.
  EXPECT_TRUE(lines[1].starts_with("long,12000,00:00,16:40,")) << lines[1];
  EXPECT_NE(lines[1].find(",3010.00,10.25,1200.0,0.1,"), std::string::npos) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("total,12000,00:00,16:40,")) << lines[2];
}

// A day that cannot be read has its reason in the note; the others are reported all the
// same, and the program ends with 1.
TEST_F(DayTableTest, AnUnreadableDayAmongReadableOnes) {
  folder_.WriteLog("a.txt", TestDay(3));
  folder_.WriteLog("c.txt", TestDay(5));
  const std::string missing = folder_.LogPath("b.txt");
  EXPECT_EQ(Run({folder_.LogPath("a.txt"), missing, folder_.LogPath("c.txt")}), 1);
  const std::vector<std::string> lines = Lines(out_);
  ASSERT_EQ(lines.size(), 5u) << out_;
  EXPECT_TRUE(lines[1].starts_with("a,3,")) << lines[1];
  const std::string note = "\"Cannot read the log file \"\"" + missing + "\"\": ";
  EXPECT_TRUE(lines[2].starts_with("b,,,,,,,,,,,,,,," + note)) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("c,5,")) << lines[3];
  EXPECT_TRUE(lines[4].starts_with("total,8,")) << lines[4];
  // Told on standard error too, in the same words.
  EXPECT_TRUE(err_.starts_with("Tallyo_report: Cannot read the log file \"" + missing + "\": "))
      << err_;
  EXPECT_FALSE(folder_.Exists("b.txt"));
}

// The logger is still writing the day: its last line has no CR LF yet. It is read as the
// last line, and the file keeps every byte; no file is made beside it.
TEST_F(DayTableTest, ADayBeingWrittenIsReadAndLeftAsItIs) {
  for (const bool finished : {false, true}) {
    SCOPED_TRACE(finished);
    std::string day = TestDay(4);
    if (!finished) day.resize(day.size() - 2);
    folder_.WriteLog("today.txt", day);
    ASSERT_EQ(Run({}), 0);
    EXPECT_TRUE(Lines(out_).at(1).starts_with("today,4,00:00,00:00,")) << out_;
    EXPECT_EQ(folder_.ReadLog("today.txt"), day);
    EXPECT_EQ(FileNames(folder_.LogsFolder()), std::vector<std::string>{"today.txt"});
  }
}

// Folders give their *.txt files by the file list's rules; all the days together in the
// list's order, whatever the order of the paths.
TEST_F(DayTableTest, DaysInTheOrderOfTheFileList) {
  folder_.WriteLog("b.txt", TestDay(2));
  folder_.WriteLog("A.TXT", TestDay(3));
  folder_.WriteLog("c.log", TestDay(4));
  folder_.WriteLog(".hidden.txt", TestDay(5));
  std::filesystem::create_directory(NativePath(folder_.LogPath("folder.txt")));
  TempLogFolder other;
  other.WriteLog("aa.txt", TestDay(6));
  ASSERT_EQ(Run({other.LogPath("aa.txt"), folder_.LogsFolder()}), 0);
  const std::vector<std::string> lines = Lines(out_);
  ASSERT_EQ(lines.size(), 5u) << out_;
  EXPECT_TRUE(lines[1].starts_with("A,3,")) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("aa,6,")) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("b,2,")) << lines[3];
  EXPECT_TRUE(lines[4].starts_with("total,11,")) << lines[4];
}

// The last row: readings summed, the first day's first time and the last day's last, the
// energy summed before it is rounded, the highest high and the lowest low. A day with no
// reading in the window has empty values; a day of one reading has its values met by the
// start values and no energy.
TEST_F(DayTableTest, TheTotalRow) {
  // 12 V x 1.5 A over 120 s is 0.6 Wh: each day's second reading, shown as 1 Wh.
  folder_.WriteLog("1.txt",
                   "<T>08:00:00</T> <V>12</V> <I>1.5</I> <R>200</R> <S>3</S>\r\n"
                   "<T>08:02:00</T> <V>12</V> <I>1.5</I> <W>18</W> <R>200</R> <S>3.4</S>\r\n");
  folder_.WriteLog("2.txt", "<T>03:00:00</T> <V>12</V>\r\n");
  folder_.WriteLog("3.txt",
                   "<T>16:00:00</T> <V>11</V> <I>-2</I> <W>-22</W> <R>1200</R> <S>9.5</S>\r\n"
                   "<T>17:00:30</T> <V>12</V> <I>1.5</I>\r\n");
  folder_.WriteLog("4.txt", "<T>00:00:00</T> <V>12</V>\r\n");
  ASSERT_EQ(Run({"--from", "01:00", "--interval", "120"}), 0);
  EXPECT_EQ(Lines(out_), (std::vector<std::string>{
                             "day,readings,first,last,energy_wh,volts_high,volts_low,amps_high,"
                             "amps_low,watts_high,watts_low,rpm_high,rpm_low,wind_high,wind_low,"
                             "note",
                             "1,2,08:00,08:02,1,12.00,12.00,1.5,1.5,18,0,200,200,3,3,",
                             "2,1,03:00,03:00,0,12.00,12.00,0.0,0.0,0,0,0,0,0,0,",
                             "3,2,16:00,17:00,1,12.00,11.00,1.5,-2.0,0,-22,1200,0,10,0,",
                             "4,0,,,,,,,,,,,,,,",
                             "total,5,08:00,17:00,1,12.00,11.00,1.5,-2.0,18,-22,1200,0,10,0,",
                         }));
}

}  // namespace
}  // namespace tallyo::test
