#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "log/LoadLog.h"
#include "platform/TextRules.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"
#include "viewer/ViewerState.h"

namespace tallyo {
namespace {

using test::TempLogFolder;

double Day(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

// A log line with its time first, as the logger writes it.
std::string Rec(std::string_view time, std::string_view fields = "") {
  return "<T>" + std::string(time) + "</T>" + std::string(fields);
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

// Everything DISPLAY may write, copied out for comparison.
struct Snapshot {
  double startTime, finishTime, viewStart, viewEnd;
  std::int16_t recordCount, zoomState;
  Series volts, amps, watts, rpm, time, speed;
  MSeries m;

  explicit Snapshot(const ViewerState& s)
      : startTime(s.startTime),
        finishTime(s.finishTime),
        viewStart(s.viewStart),
        viewEnd(s.viewEnd),
        recordCount(s.recordCount),
        zoomState(s.zoomState),
        volts(s.voltsSeries),
        amps(s.ampsSeries),
        watts(s.wattsSeries),
        rpm(s.rpmSeries),
        time(s.timeSeries),
        speed(s.speedSeries),
        m(s.mSeries) {}
  bool SeriesEqual(const Snapshot& o) const {
    return volts == o.volts && amps == o.amps && watts == o.watts && rpm == o.rpm &&
           time == o.time && speed == o.speed && m == o.m;
  }
};

// DISPLAY as the window runs it: LoadLog, then the view that follows from it. Every case
// reads its files in pieces of each size from one byte on, so that every line end, tag and
// CR LF falls on a piece's edge somewhere, and lines are longer than a piece.
class LoadLogTest : public ::testing::TestWithParam<std::size_t> {
 protected:
  LoadLogTest() : state_(std::make_unique<ViewerState>()) {}

  DisplayResult Display(std::string_view name, std::string_view h1 = "00",
                        std::string_view m1 = "00", std::string_view h2 = "23",
                        std::string_view m2 = "59") {
    return DisplayIn(folder_, name, h1, m1, h2, m2);
  }
  DisplayResult DisplayIn(const TempLogFolder& folder, std::string_view name,
                          std::string_view h1 = "00", std::string_view m1 = "00",
                          std::string_view h2 = "23", std::string_view m2 = "59") {
    const DisplayResult r =
        LoadLog(*state_, DisplayRequest{h1, m1, h2, m2, name, folder.ProgramFolder(), GetParam()});
    ViewAfterDisplay(*state_, r.outcome, state_->recordCount);
    return r;
  }
  // Fills the state as an earlier display of four records, zoomed, would leave it.
  void LoadEarlierDisplay() {
    folder_.WriteLog("earlier.txt", Lines({Rec("1:00", "<V>1</V><M>1</M>"), Rec("2:00", "<V>2</V>"),
                                           Rec("3:00", "<V>3</V>"), Rec("4:00", "<V>4</V>")}));
    ASSERT_EQ(Display("earlier.txt").outcome, DisplayOutcome::kLoaded);
    state_->zoomState = 1;
    state_->viewStart = 1.5;
    state_->viewEnd = 3.5;
  }
  ViewerState& S() { return *state_; }

  TempLogFolder folder_;
  std::unique_ptr<ViewerState> state_;
};

#ifndef _WIN32
// POSIX only: the separator. Windows paths are checked in platform/windows/.
TEST_P(LoadLogTest, LogFilePath) {
  EXPECT_EQ(LogFilePath("/opt/tallyo", "day 1.txt"), "/opt/tallyo/logs/day 1.txt");
}
#endif

// The refusals before the file: which message, and that nothing else moves.
TEST_P(LoadLogTest, RefusalsBeforeTheFile) {
  const struct {
    const char *h1, *m1, *h2, *m2, *file;
    DisplayOutcome outcome;
    std::string_view message;
    bool timesSet;
  } cases[] = {
      {"24", "00", "23", "59", "a.txt", DisplayOutcome::kBadStartTime, kBadStartMessage, false},
      {"12", "60", "23", "59", "a.txt", DisplayOutcome::kBadStartTime, kBadStartMessage, false},
      {"", "", "23", "59", "a.txt", DisplayOutcome::kBadStartTime, kBadStartMessage, false},
      {"x", "00", "99", "99", "a.txt", DisplayOutcome::kBadStartTime, kBadStartMessage, false},
      {"24", "00", "23", "59", "", DisplayOutcome::kBadStartTime, kBadStartMessage, false},
      {"00", "00", "24", "00", "a.txt", DisplayOutcome::kBadFinishTime, kBadFinishMessage, false},
      {"00", "00", "12", "60", "", DisplayOutcome::kBadFinishTime, kBadFinishMessage, false},
      {"1", "2", "3", "4", "", DisplayOutcome::kNoFileChosen, kNoFileMessage, true},
      {"12:30", "15", "13", "00", "", DisplayOutcome::kNoFileChosen, kNoFileMessage, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.h1) + ":" + c.m1 + " - " + c.h2 + ":" + c.m2 + " " + c.file);
    LoadEarlierDisplay();
    S().startTime = 0.25;
    S().finishTime = 0.75;
    folder_.WriteLog("a.txt", "<T>5:00</T>");
    const Snapshot before(S());
    const DisplayResult r = Display(c.file, c.h1, c.m1, c.h2, c.m2);
    EXPECT_EQ(r.outcome, c.outcome);
    EXPECT_EQ(r.message, c.message);
    const Snapshot after(S());
    if (c.timesSet) {
      EXPECT_EQ(after.startTime, *ParseTimeOfDay(std::string(c.h1) + ":" + c.m1));
      EXPECT_EQ(after.finishTime, *ParseTimeOfDay(std::string(c.h2) + ":" + c.m2));
    } else {
      EXPECT_EQ(after.startTime, 0.25);
      EXPECT_EQ(after.finishTime, 0.75);
    }
    EXPECT_EQ(after.recordCount, 4);
    EXPECT_EQ(after.zoomState, 1);
    EXPECT_EQ(after.viewStart, 1.5);
    EXPECT_EQ(after.viewEnd, 3.5);
    EXPECT_TRUE(after.SeriesEqual(before));
    EXPECT_EQ(folder_.ReadLog("a.txt"), "<T>5:00</T>");
  }
}

TEST_P(LoadLogTest, JoinedBoxesMakeOneTime) {
  folder_.WriteLog("a.txt", Lines({Rec("12:30:15"), Rec("12:30:16")}));
  EXPECT_EQ(Display("a.txt", "12:30", "15", "13", "00").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().startTime, Day(12, 30, 15));
  EXPECT_EQ(S().recordCount, 1);
  EXPECT_EQ(S().timeSeries[1], Day(12, 30, 16));
}

TEST_P(LoadLogTest, NoDataLeavesSeriesAndView) {
  LoadEarlierDisplay();
  folder_.WriteLog("b.txt", Lines({"no tags here", Rec("23:59:30", "<V>9</V>"), "<V>5</V>"}));
  const Snapshot before(S());
  const DisplayResult r = Display("b.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(r.message, kNoDataMessage);
  const Snapshot after(S());
  EXPECT_EQ(after.recordCount, 0);
  EXPECT_EQ(after.zoomState, 0);
  EXPECT_EQ(after.viewStart, 1.5);
  EXPECT_EQ(after.viewEnd, 3.5);
  EXPECT_TRUE(after.SeriesEqual(before));
  EXPECT_EQ(folder_.ReadLog("b.txt"),
            Lines({"no tags here", Rec("23:59:30", "<V>9</V>"), "<V>5</V>", ""}));
  EXPECT_EQ(S().finishTime, Day(23, 59, 0));
}

TEST_P(LoadLogTest, StartNotBeforeFinishKeepsNothing) {
  folder_.WriteLog("a.txt", Lines({Rec("12:00:30")}));
  EXPECT_EQ(Display("a.txt", "12", "01", "12", "00").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(Display("a.txt", "12", "00", "12", "00").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(folder_.ReadLog("a.txt"), Lines({Rec("12:00:30"), "", ""}));
}

TEST_P(LoadLogTest, MissingOrEmptyFileGetsItsEmptyLine) {
  EXPECT_EQ(Display("new.txt").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(folder_.ReadLog("new.txt"), "\r\n");
  folder_.WriteLog("empty.txt", "");
  EXPECT_EQ(Display("empty.txt").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(folder_.ReadLog("empty.txt"), "\r\n");
#ifndef _WIN32
  // A caption of blanks is a file name like any other. Windows drops the trailing blanks
  // of a name, so there it names the logs folder itself (platform/windows/).
  EXPECT_EQ(Display("  ").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(folder_.ReadLog("  "), "\r\n");
#endif
}

TEST_P(LoadLogTest, ExampleLineAndFieldRules) {
  folder_.WriteLog(
      "a.txt",
      Lines({
          "<T>12:34:56</T> <V>13.2</V> <I>4.5</I> <R>350</R> <W>59</W> <S>7.8</S> <M>1</M>",
          "<S>5</S><W>4</W><R>3</R><I>2</I><V>1</V><T>12:35:00</T>",  // any order
          Rec("12:35:01", "<V></V><I>x</I><R>1,5</R><W>nan</W><S>1e400</S>"),
          Rec("12:35:02", "<v>9</v><V>-2.5e1</V><V>7</V><I> +.5 </I><R>5.</R><W>1e-400</W>"),
          Rec("12:35:03", "<V>3"),
      }));
  ASSERT_EQ(Display("a.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 5);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 5);
  EXPECT_EQ(S().zoomState, 0);
  const struct {
    double t, v, i, r, w, s;
  } want[] = {
      {Day(12, 34, 56), 13.2, 4.5, 350, 59, 7.8},
      {Day(12, 35, 0), 1, 2, 3, 4, 5},
      {Day(12, 35, 1), 0, 0, 0, 0, 0},
      {Day(12, 35, 2), -25, 0.5, 5, 0, 0},
      {Day(12, 35, 3), 0, 0, 0, 0, 0},
  };
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE(k);
    const auto& w = want[k - 1];
    EXPECT_EQ(S().timeSeries[k], w.t);
    EXPECT_EQ(S().voltsSeries[k], w.v);
    EXPECT_EQ(S().ampsSeries[k], w.i);
    EXPECT_EQ(S().rpmSeries[k], w.r);
    EXPECT_EQ(S().wattsSeries[k], w.w);
    EXPECT_EQ(S().speedSeries[k], w.s);
    EXPECT_EQ(S().mSeries[k], 1);  // carried from the first record
  }
}

TEST_P(LoadLogTest, TimeWindowIsStrict) {
  folder_.WriteLog("day.txt", Lines({Rec("00:00:00"), Rec("00:00:01"), Rec("23:58:59"),
                                     Rec("23:59:00"), Rec("23:59:59"), "<V>1</V>"}));
  ASSERT_EQ(Display("day.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 2);
  EXPECT_EQ(S().timeSeries[1], Day(0, 0, 1));
  EXPECT_EQ(S().timeSeries[2], Day(23, 58, 59));

  folder_.WriteLog("w.txt", Lines({Rec("12:00:00"), Rec("12:00:01"), Rec("12:29:59"),
                                   Rec("12:30:00"), Rec("6:00"), Rec("24:00"), Rec("12:60"),
                                   Rec("12:10:60"), Rec(" 12:10:05 "), Rec("12:10:05 PM")}));
  ASSERT_EQ(Display("w.txt", "12", "00", "12", "30").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().timeSeries[1], Day(12, 0, 1));
  EXPECT_EQ(S().timeSeries[2], Day(12, 29, 59));
  EXPECT_EQ(S().timeSeries[3], Day(12, 10, 5));  // blanks around the time are allowed
}

TEST_P(LoadLogTest, RecordsKeepFileOrder) {
  folder_.WriteLog("a.txt", Lines({Rec("12:03", "<V>3</V>"), Rec("20:00"), Rec("12:02", "<V>2</V>"),
                                   Rec("12:01", "<V>1</V>")}));
  ASSERT_EQ(Display("a.txt", "12", "00", "13", "00").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().voltsSeries[1], 3);
  EXPECT_EQ(S().voltsSeries[2], 2);
  EXPECT_EQ(S().voltsSeries[3], 1);
  EXPECT_EQ(S().timeSeries[1], Day(12, 3, 0));
}

TEST_P(LoadLogTest, OnlyCrLfEndsALine) {
  folder_.WriteLog("lf.txt", Rec("1:00", "<V>1</V>") + "\n" + Rec("2:00", "<V>2</V><I>3</I>") +
                                 "\n" + Rec("3:00") + "\r" + Rec("4:00") + "\r\n");
  ASSERT_EQ(Display("lf.txt").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().recordCount, 1);  // the first of each field in the whole text
  EXPECT_EQ(S().timeSeries[1], Day(1, 0, 0));
  EXPECT_EQ(S().voltsSeries[1], 1);
  EXPECT_EQ(S().ampsSeries[1], 3);

  // Its last line ends in a CR, not LF: a line not yet finished, which gets no CR LF.
  folder_.WriteLog("cr.txt", "\r\r\n\n\r\n\r");
  ASSERT_EQ(Display("cr.txt").outcome, DisplayOutcome::kNoData);
  EXPECT_EQ(folder_.ReadLog("cr.txt"), "\r\r\n\n\r\n\r");
}

TEST_P(LoadLogTest, EachDisplayAddsOneEmptyLine) {
  const std::string original = Lines({Rec("1:00", "<V>1</V>"), Rec("2:00", "<V>2</V>")});
  folder_.WriteLog("a.txt", original);
  for (int i = 1; i <= 3; ++i) {
    ASSERT_EQ(Display("a.txt").outcome, DisplayOutcome::kLoaded);
    EXPECT_EQ(S().recordCount, 2);
  }
  const auto bytes = folder_.ReadLog("a.txt");
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->size(), original.size() + 6);
  EXPECT_EQ(*bytes, original + "\r\n\r\n\r\n");
}

TEST_P(LoadLogTest, MTextIsCarriedWithinOneDisplay) {
  folder_.WriteLog("a.txt", Lines({
                                Rec("1:00", "<M>1</M>"),
                                Rec("2:00"),
                                Rec("23:59:30", "<M>0</M>"),  // outside the window: not carried
                                Rec("3:00"),
                                Rec("4:00", "<M>2.5</M>"),
                                Rec("5:00", "<M>x</M>"),
                                Rec("6:00"),
                                Rec("7:00", "<M>40000</M>"),
                                Rec("8:00", "<M>-3.5</M>"),
                                Rec("9:00"),
                                "<M>1</M>",  // not a record: not carried
                                Rec("10:00"),
                            }));
  ASSERT_EQ(Display("a.txt", "0", "30", "23", "59").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(S().recordCount, 10);
  const int want[] = {1, 1, 1, 2, 0, 0, 0, -4, -4, -4};
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(S().mSeries[k], want[k - 1]) << k;
  // Each display starts with no M text.
  ASSERT_EQ(Display("a.txt", "1", "30", "23", "59").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().mSeries[1], 0);  // 2:00, no M field, nothing carried yet
  EXPECT_EQ(S().mSeries[2], 0);  // 3:00
  EXPECT_EQ(S().mSeries[3], 2);  // 4:00
}

TEST_P(LoadLogTest, ShorterDisplayLeavesHigherIndices) {
  std::vector<std::string> eight;
  for (int i = 1; i <= 8; ++i)
    eight.push_back(Rec(test::TimeText(i * 60), "<V>" + std::to_string(i) + "</V>"));
  folder_.WriteLog("eight.txt", Lines(eight));
  folder_.WriteLog("three.txt", Lines({Rec("5:00", "<V>50</V>"), Rec("6:00", "<V>60</V>"),
                                       Rec("7:00", "<V>70</V>")}));
  ASSERT_EQ(Display("eight.txt").outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(Display("three.txt").outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 3);
  EXPECT_EQ(S().voltsSeries[3], 70);
  for (int k = 4; k <= 8; ++k) EXPECT_EQ(S().voltsSeries[k], k) << k;
  EXPECT_EQ(S().voltsSeries[9], 0);
}

class RecordLimitTest : public LoadLogTest {
 protected:
  // n lines one second apart from 01:00:00, volts = the line's number, and one line with
  // a time that is not in the window at the very end.
  void WriteDay(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) {
      text += Rec(test::TimeText(3600 + i),
                  "<V>" + std::to_string(i) + "</V><M>" + std::to_string(i % 2) + "</M>");
      text += "\r\n";
    }
    folder_.WriteLog("big.txt", text);
  }
  void MarkUntouched() {
    for (Series* s : {&S().voltsSeries, &S().ampsSeries, &S().wattsSeries, &S().rpmSeries,
                      &S().timeSeries, &S().speedSeries}) {
      (*s)[kLastIndex] = -7;
    }
    S().mSeries[kLastIndex] = -7;
    S().viewStart = 2;
    S().viewEnd = 3;
    S().zoomState = 1;
  }
  void ExpectIndexZeroAndLastUntouched() {
    for (const Series* s : {&S().voltsSeries, &S().ampsSeries, &S().wattsSeries, &S().rpmSeries,
                            &S().timeSeries, &S().speedSeries}) {
      EXPECT_EQ((*s)[0], 0);
      EXPECT_EQ((*s)[kLastIndex], -7);
    }
    EXPECT_EQ(S().mSeries[0], 0);
    EXPECT_EQ(S().mSeries[kLastIndex], -7);
  }
};

TEST_P(RecordLimitTest, ExactlyTheMostRecordsLoad) {
  WriteDay(9999);
  MarkUntouched();
  const DisplayResult r = Display("big.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kLoaded);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(S().recordCount, 9999);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 9999);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(S().voltsSeries[9999], 9999);
  EXPECT_EQ(S().timeSeries[9999], (3600 + 9999) / 86400.0);
  EXPECT_EQ(S().mSeries[9999], 1);
  ExpectIndexZeroAndLastUntouched();
}

TEST_P(RecordLimitTest, TheTenThousandthRecordStopsTheDisplay) {
  for (const int n : {10000, 10500}) {
    SCOPED_TRACE(n);
    WriteDay(n);
    MarkUntouched();
    const DisplayResult r = Display("big.txt");
    EXPECT_EQ(r.outcome, DisplayOutcome::kRecordLimit);
    EXPECT_EQ(r.message, kRecordLimitMessage);
    EXPECT_EQ(r.message.back(), ' ');
    EXPECT_EQ(S().recordCount, 10000);
    EXPECT_EQ(S().zoomState, 0);
    EXPECT_EQ(S().viewStart, 2);  // the view of the earlier display
    EXPECT_EQ(S().viewEnd, 3);
    EXPECT_EQ(S().voltsSeries[1], 1);
    EXPECT_EQ(S().voltsSeries[9999], 9999);
    ExpectIndexZeroAndLastUntouched();
  }
}

#ifndef _WIN32
// POSIX only: the separator and strerror's reasons. The Windows counterpart is in
// platform/windows/.
//
// A file that cannot be used changes no state and no file.
TEST_P(LoadLogTest, FileFaultsChangeNothing) {
  TempLogFolder noLogs(/*withLogsFolder=*/false);
  std::filesystem::create_directory(folder_.LogPath("x.txt"));
  LoadEarlierDisplay();
  const Snapshot before(S());
  const auto earlierBytes = folder_.ReadLog("earlier.txt");

  DisplayResult r = DisplayIn(noLogs, "a.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
  EXPECT_EQ(r.message, "Cannot append to the log file \"" + noLogs.ProgramFolder() +
                           "/logs/a.txt\": No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(noLogs.LogsFolder()));

  r = Display("x.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
  EXPECT_EQ(r.message, "Cannot read the log file \"" + folder_.ProgramFolder() +
                           "/logs/x.txt\": Is a directory");
  EXPECT_TRUE(std::filesystem::is_empty(folder_.LogPath("x.txt")));

  const Snapshot after(S());
  EXPECT_EQ(after.recordCount, before.recordCount);
  EXPECT_EQ(after.zoomState, 1);
  EXPECT_EQ(after.viewStart, 1.5);
  EXPECT_EQ(after.viewEnd, 3.5);
  EXPECT_TRUE(after.SeriesEqual(before));
  EXPECT_EQ(folder_.ReadLog("earlier.txt"), earlierBytes);
}
#endif  // _WIN32

TEST_P(LoadLogTest, ReadOnlyFileChangesNothing) {
  LoadEarlierDisplay();
  folder_.WriteLog("ro.txt", Lines({Rec("1:00", "<V>9</V>")}));
  if (!folder_.MakeUnwritable(folder_.LogPath("ro.txt"))) GTEST_SKIP() << "cannot lock a file";
  const Snapshot before(S());
  const DisplayResult r = Display("ro.txt");
  EXPECT_EQ(r.outcome, DisplayOutcome::kFileError);
  EXPECT_NE(r.message.find(folder_.LogPath("ro.txt")), std::string::npos);
  const Snapshot after(S());
  EXPECT_EQ(after.recordCount, 4);
  EXPECT_EQ(after.zoomState, 1);
  EXPECT_TRUE(after.SeriesEqual(before));
  EXPECT_EQ(folder_.ReadLog("ro.txt"), Lines({Rec("1:00", "<V>9</V>")}));
}

std::string PieceName(const ::testing::TestParamInfo<std::size_t>& info) {
  return info.param == kPieceBytes ? "Usual" : "Bytes" + std::to_string(info.param);
}
INSTANTIATE_TEST_SUITE_P(Pieces, LoadLogTest, ::testing::Values(1, 2, 3, 7, 4096, kPieceBytes),
                         PieceName);
INSTANTIATE_TEST_SUITE_P(Pieces, RecordLimitTest, ::testing::Values(1, 2, 3, 7, 4096, kPieceBytes),
                         PieceName);

}  // namespace
}  // namespace tallyo
