// The report's options: bad values refused with status 2 and the usage on standard error
// (in the window's words where it has them), good ones read by the window's rules.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ReportFixture.h"
#include "report/ReportOptions.h"
#include "support/TestDay.h"

namespace tallyo::test {
namespace {

struct Refused {
  std::vector<std::string> arguments;
  std::string reason;
};
void PrintTo(const Refused& c, std::ostream* os) { *os << c.reason; }

class RefusedOptionTest : public ReportFixture, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedOptionTest, Status2AndTheUsage) {
  folder_.WriteLog("day.txt", TestDay(3));
  EXPECT_EQ(Run(GetParam().arguments), 2);
  EXPECT_EQ(err_, "Tallyo_report: " + GetParam().reason + "\n" + std::string(kReportUsage));
  EXPECT_EQ(out_, "");
  EXPECT_EQ(folder_.ReadLog("day.txt"), TestDay(3));
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedOptionTest,
    ::testing::Values(
        Refused{{"--from", "24:00"}, "Bad time format for start time"},
        Refused{{"--from=7"}, "Bad time format for start time"},
        Refused{{"--to", "12:60"}, "Bad time format for finish time"},
        Refused{{"--to", ""}, "Bad time format for finish time"},
        Refused{{"--from"}, "--from wants a value"},
        Refused{{"--interval", "ten"}, "--interval wants a number of seconds, such as 10 or 60"},
        // Not a number to the Interval box either: it does not fit 16 bits.
        Refused{{"--interval", "40000"}, "--interval wants a number of seconds, such as 10 or 60"},
        Refused{{"--interval", "1,5"}, "--interval wants a number of seconds, such as 10 or 60"},
        Refused{{"--power-curve", "0"}, "--power-curve wants a bin width above 0"},
        Refused{{"--power-curve=-1"}, "--power-curve wants a bin width above 0"},
        Refused{{"--power-curve=wide"}, "--power-curve wants a bin width above 0"},
        Refused{{"--output="}, "--output wants a file name"},
        Refused{{"--colour"}, "unknown option --colour"},
        Refused{{"--help=yes"}, "unknown option --help=yes"},
        Refused{{"-x", "logs"}, "unknown option -x"}));

// Options that mean the same give the same table: the interval held to 10..120 as a draw
// holds it and rounded as the Interval box rounds it, a value after '=' or as the next
// argument, "--" before a path that looks like an option.
struct Same {
  std::vector<std::string> arguments, sameAs;
};
void PrintTo(const Same& c, std::ostream* os) {
  for (const std::string& a : c.arguments) *os << a << ' ';
}

class SameTableTest : public ReportFixture, public ::testing::WithParamInterface<Same> {};

TEST_P(SameTableTest, AsTheOtherOptions) {
  folder_.WriteLog("day.txt", TestDay(500, 60));
  ASSERT_EQ(Run(GetParam().sameAs), 0) << err_;
  const std::string expected = out_;
  ASSERT_EQ(Run(GetParam().arguments), 0) << err_;
  EXPECT_EQ(out_, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, SameTableTest,
    ::testing::Values(Same{{"--interval", "5"}, {"--interval", "10"}},
                      Same{{"--interval", "-5"}, {}},
                      Same{{"--interval", "500"}, {"--interval", "120"}},
                      Same{{"--interval", "9.5"}, {}},
                      Same{{"--interval", "37.5"}, {"--interval", "38"}},
                      Same{{"--interval", " 2.5e1 "}, {"--interval", "25"}},
                      Same{{"--from", "0:0", "--to", "23:59:00"}, {}},
                      Same{{"--from=06:00", "--to=07:30"}, {"--from", "06:00", "--to", "07:30"}},
                      Same{{"--interval", "60", "--interval", "30"}, {"--interval", "30"}}));

using OptionsEndTest = ReportFixture;

// A path that starts with "-" is taken as one after "--".
TEST_F(OptionsEndTest, PathsAfterTheEndOfTheOptions) {
  folder_.WriteLog("-day.txt", TestDay(3));
  EXPECT_EQ(Run({"--", folder_.LogPath("-day.txt")}), 0) << err_;
  EXPECT_NE(out_.find("\r\n-day,3,"), std::string::npos) << out_;
}

using ReportTextTest = ReportFixture;

TEST_F(ReportTextTest, HelpAndVersion) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_EQ(out_, kReportHelp);
  // The help says that the report takes more readings than one display.
  EXPECT_NE(out_.find("more than 9,999"), std::string::npos);
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(out_, "Tallyo_report " TALLYO_VERSION_TEXT "\n");
  EXPECT_EQ(err_, "");
}

}  // namespace
}  // namespace tallyo::test
