// The power curve over hand-made days: the bins' edges, a speed on an edge, bins without
// readings left out, the days' readings together, the time window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ReportFixture.h"

namespace tallyo::test {
namespace {

struct CurveCase {
  std::vector<std::string> options;
  std::string table;
};
void PrintTo(const CurveCase& c, std::ostream* os) {
  for (const std::string& option : c.options) *os << option << ' ';
}

class PowerCurveTest : public ReportFixture, public ::testing::WithParamInterface<CurveCase> {};

TEST_P(PowerCurveTest, Bins) {
  folder_.WriteLog("a.txt",
                   "<T>06:00:00</T> <V>12</V> <I>0.5</I> <W>5</W> <S>0</S>\r\n"
                   "<T>06:00:10</T> <V>12</V> <I>0.5</I> <W>7</W> <S>0.9</S>\r\n"
                   "<T>06:00:20</T> <V>12</V> <I>2</I> <W>20</W> <S>1</S>\r\n");
  folder_.WriteLog("b.txt",
                   "<T>05:00:00</T> <V>12</V> <I>80</I> <W>999</W> <S>2.5</S>\r\n"
                   "<T>06:00:30</T> <V>13</V> <I>8</I> <W>100</W> <S>3.5</S>\r\n"
                   "<T>06:00:40</T> <V>13</V> <I>9</I> <W>120</W> <S>3.9</S>\r\n"
                   "<T>06:00:50</T> <V>12</V> <I>-0.25</I> <W>-3</W> <S>-0.5</S>\r\n"
                   "<T>06:01:00</T> <V>12</V> <I>0.75</I> <W>8</W> <S>0.3</S>\r\n");
  std::vector<std::string> arguments = GetParam().options;
  arguments.insert(arguments.end(), {"--from", "05:30"});
  ASSERT_EQ(Run(arguments), 0) << err_;
  EXPECT_EQ(out_, GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, PowerCurveTest,
    ::testing::Values(
        // The reading at 05:00 lies outside the window: no bin from 2 to 3.
        CurveCase{{"--power-curve"},
                  "wind_from,wind_to,readings,mean_watts,mean_volts_x_amps\r\n"
                  "-1,0,1,-3.0,-3.0\r\n"
                  "0,1,3,6.7,7.0\r\n"
                  "1,2,1,20.0,24.0\r\n"
                  "3,4,2,110.0,110.5\r\n"},
        // 0.3 / 0.1 and 3.9 / 0.1 fall just short of 3 and 39 in floating point; on the
        // edge they are, so they lie in the bins that start there.
        CurveCase{{"--power-curve", "0.1"},
                  "wind_from,wind_to,readings,mean_watts,mean_volts_x_amps\r\n"
                  "-0.5,-0.4,1,-3.0,-3.0\r\n"
                  "0,0.1,1,5.0,6.0\r\n"
                  "0.3,0.4,1,8.0,9.0\r\n"
                  "0.9,1,1,7.0,6.0\r\n"
                  "1,1.1,1,20.0,24.0\r\n"
                  "3.5,3.6,1,100.0,104.0\r\n"
                  "3.9,4,1,120.0,117.0\r\n"},
        // The mean volts x amps 11.25 shows as 11.2: halves go to the even digit, as in
        // the labels.
        CurveCase{{"--power-curve=2.5"},
                  "wind_from,wind_to,readings,mean_watts,mean_volts_x_amps\r\n"
                  "-2.5,0,1,-3.0,-3.0\r\n"
                  "0,2.5,4,10.0,11.2\r\n"
                  "2.5,5,2,110.0,110.5\r\n"}));

// A day that cannot be read is told on standard error; the curve of the others is written
// and the program ends with 1.
using PowerCurveFaultTest = ReportFixture;

TEST_F(PowerCurveFaultTest, AnUnreadableDay) {
  folder_.WriteLog("a.txt", "<T>06:00:00</T> <V>12</V> <I>1</I> <W>12</W> <S>4</S>\r\n");
  const std::string missing = folder_.LogPath("b.txt");
  EXPECT_EQ(Run({"--power-curve", folder_.LogPath("a.txt"), missing}), 1);
  EXPECT_EQ(out_, "wind_from,wind_to,readings,mean_watts,mean_volts_x_amps\r\n4,5,1,12.0,12.0\r\n");
  EXPECT_TRUE(err_.starts_with("Tallyo_report: Cannot read the log file \"" + missing)) << err_;
}

}  // namespace
}  // namespace tallyo::test
