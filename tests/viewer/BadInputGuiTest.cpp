// The viewer window on bad input, driven through its real controls: files that change
// under the file list, readings no double holds, interval texts that are no 16-bit number,
// a zoom and a readout beyond the end of the series, and what follows the record-limit
// message. No case may crash or hang, and every log file keeps its bytes but for the one
// CR LF of each display that got as far as appending.

#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "log/LoadLog.h"
#include "support/Deadline.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

class BadInputGuiTest : public GraphFixture {
 protected:
  std::optional<MessageSeen> ClickAndCatch(const char* name) {
    return CatchMessage([&] { ClickFile(name); });
  }
};

// Days whose records tell apart from those of TestDay: volts 1000 + k.
std::string OtherDay(int count, int stepSeconds) {
  std::string day;
  for (int k = 1; k <= count; ++k) {
    day += "<T>" + TimeText(k * stepSeconds) + "</T><V>" + std::to_string(1000 + k) +
           "</V><I>1</I><W>" + std::to_string(k) + "</W><R>" + std::to_string(k) + "</R><S>" +
           std::to_string(k) + "</S><M>0</M>\r\n";
  }
  return day;
}

std::string Printed(const char* format, double v) {
  char text[400];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

// A test name made of the letters and digits of a case's description.
std::string CaseName(const char* what) {
  std::string name;
  for (const char* p = what; *p; ++p) {
    if (*p == '-') name += "minus";
    if (*p == ',') name += "comma";
    if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
  }
  return name;
}

// ---- The chosen file changes between the listing and the click.

// What a fault leaves under the name day.txt.
enum class Left { kOnlyTheCrLf, kEmptyFolder, kPipe, kSameBytes, kNoFolder };

struct FileFaultCase {
  const char* what;
  // Does it to day.txt (or to its folder); false where this machine cannot.
  bool (*fault)(TempLogFolder& folder);
  // The message: "<lead> the log file "<path>": <reason>", or only the reason.
  const char* lead;
  const char* reason;
  int recordCountAfter;
  Left left;
};

void PrintTo(const FileFaultCase& c, std::ostream* os) { *os << c.what; }

class FileFaultGuiTest : public BadInputGuiTest,
                         public ::testing::WithParamInterface<FileFaultCase> {};

// The message names the file and the reason; the chart, the records and the file stay as
// they were, and the viewer goes on working with the records it has.
TEST_P(FileFaultGuiTest, ClickOnAFileThatChangedSinceTheListing) {
  const FileFaultCase& c = GetParam();
  const std::string shownBytes = TestDay(20);
  const std::string dayBytes = TestDay(5);
  folder_.WriteLog("shown.txt", shownBytes);
  folder_.WriteLog("day.txt", dayBytes);
  Open();
  ClickFile("shown.txt");
  ASSERT_EQ(S().recordCount, 20);
  if (!c.fault(folder_)) GTEST_SKIP() << "cannot do that here";

  Mark();
  const auto seen = ClickAndCatch("day.txt");
  ASSERT_TRUE(seen);
  const std::string path = folder_.LogPath("day.txt");
  const std::string message =
      c.lead ? std::string(c.lead) + " the log file \"" + path + "\": " + c.reason : c.reason;
  EXPECT_EQ(seen->text, message);
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(S().recordCount, c.recordCountAfter);
  EXPECT_TRUE(Marked());  // not redrawn
  EXPECT_EQ(Caption("ftime"), "00:03");

  // The records of the earlier display are still there to redraw and to read out.
  Click("Check4");
  EXPECT_EQ(Marked(), c.recordCountAfter < 2);
  Plot().onMouseMove(0, 0, 4, 0);
  EXPECT_EQ(Caption("vv"), c.recordCountAfter < 2 ? "0" : "11.25 V");

  switch (c.left) {
    case Left::kOnlyTheCrLf:  // the append made a new file of that name
      EXPECT_EQ(folder_.ReadLog("day.txt"), "\r\n");
      break;
    case Left::kEmptyFolder:
      EXPECT_TRUE(std::filesystem::is_directory(path));
      EXPECT_TRUE(std::filesystem::is_empty(path));
      break;
    case Left::kPipe:
      EXPECT_TRUE(std::filesystem::is_fifo(path));
      break;
    case Left::kSameBytes:
      EXPECT_EQ(folder_.ReadLog("day.txt"), dayBytes);
      break;
    case Left::kNoFolder:  // not made again
      EXPECT_FALSE(std::filesystem::exists(folder_.LogsFolder()));
      break;
  }
  if (c.left != Left::kNoFolder) {
    EXPECT_EQ(folder_.ReadLog("shown.txt"), shownBytes + "\r\n");
  }
}

bool Delete(TempLogFolder& f) { return std::filesystem::remove(f.LogPath("day.txt")); }
bool ReplaceByFolder(TempLogFolder& f) {
  return Delete(f) && std::filesystem::create_directory(f.LogPath("day.txt"));
}
bool ReplaceByPipe(TempLogFolder& f) {
  return Delete(f) && ::mkfifo(f.LogPath("day.txt").c_str(), 0666) == 0;
}
bool MakeReadOnly(TempLogFolder& f) { return f.MakeUnwritable(f.LogPath("day.txt")); }
bool RemoveLogsFolder(TempLogFolder& f) { return std::filesystem::remove_all(f.LogsFolder()) > 0; }

INSTANTIATE_TEST_SUITE_P(
    Faults, FileFaultGuiTest,
    ::testing::Values(
        // The append makes a new, empty file of that name.
        FileFaultCase{"deleted", Delete, nullptr, "No data for that date", 0, Left::kOnlyTheCrLf},
        FileFaultCase{"a folder", ReplaceByFolder, "Cannot read", "Is a directory", 20,
                      Left::kEmptyFolder},
        FileFaultCase{"a pipe", ReplaceByPipe, "Cannot read", "Not a regular file", 20,
                      Left::kPipe},
        // Root is refused by the immutable flag, anyone else by the permission bits.
        FileFaultCase{"read only", MakeReadOnly, "Cannot append to",
                      ::geteuid() == 0 ? "Operation not permitted" : "Permission denied", 20,
                      Left::kSameBytes},
        FileFaultCase{"logs folder gone", RemoveLogsFolder, "Cannot append to",
                      "No such file or directory", 20, Left::kNoFolder}),
    [](const auto& info) { return CaseName(info.param.what); });

// The logs folder goes while the viewer is open and comes back: the list empties and fills
// again as the folder does, the viewer reports each display it cannot make, makes no folder
// of its own, and works again once the folder is back.
TEST_F(BadInputGuiTest, LogsFolderGoesAndComesBack) {
  const std::string bytes = TestDay(12);
  folder_.WriteLog("day.txt", bytes);
  Open();
  const auto listed = [&](int count) {
    return QTest::qWaitFor([&] { return Files().count() == count; }, kWaitLimit.count());
  };
  const auto display = [&] {
    return CatchMessage(
        [&] { QTest::mouseClick(Child<QWidget>(*graph_, "Command1"), Qt::LeftButton); });
  };
  const auto comeBack = [&] {
    std::filesystem::create_directory(folder_.LogsFolder());
    folder_.WriteLog("day.txt", bytes);
    ASSERT_TRUE(listed(1));
  };
  std::filesystem::remove_all(folder_.LogsFolder());
  EXPECT_TRUE(listed(0));
  // No file chosen yet: DISPLAY asks for one before it looks for the folder.
  auto seen = display();
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, "select a file to view");

  comeBack();
  EXPECT_FALSE(ClickAndCatch("day.txt"));
  std::filesystem::remove_all(folder_.LogsFolder());
  EXPECT_TRUE(listed(0));
  const std::string gone = "Cannot append to the log file \"" + folder_.LogPath("day.txt") +
                           "\": No such file or directory";
  for (int i = 0; i < 2; ++i) {
    seen = display();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->text, gone);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_.LogsFolder()));

  comeBack();
  EXPECT_FALSE(display());
  EXPECT_EQ(S().recordCount, 12);
  EXPECT_EQ(folder_.ReadLog("day.txt"), bytes + "\r\n");
}

// ---- Readings that no double holds, or only just.

struct ValueCase {
  const char* what;
  std::string text;  // the volts and amps text of record 2
  const char* vv;    // the readout over record 2
  double volts;      // what record 2 holds
  const char* watts;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.what; }

class ValueGuiTest : public BadInputGuiTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ValueGuiTest, DisplayAndReadout) {
  const ValueCase& c = GetParam();
  const std::string bytes = "<T>01:00</T><V>12</V><I>1</I>\r\n<T>01:01</T><V>" + c.text +
                            "</V><I>" + c.text + "</I>\r\n<T>01:02</T><V>12</V><I>1</I>\r\n";
  folder_.WriteLog("day.txt", bytes);
  Open();
  EXPECT_FALSE(ClickAndCatch("day.txt"));
  ASSERT_EQ(S().recordCount, 3);
  EXPECT_EQ(S().voltsSeries[2], c.volts);
  Plot().onMouseMove(0, 0, 1, 0);
  EXPECT_EQ(Caption("vv"), c.vv);
  // The extremes in full, however many digits that takes.
  EXPECT_EQ(Caption("VMax1"), Printed("%.2f V", std::max(c.volts, 12.0)));
  EXPECT_EQ(Caption("VMin1"), Printed("%.2f V", std::min(c.volts, 0.0)));
  EXPECT_EQ(Caption("watts"), c.watts);
  EXPECT_EQ(folder_.ReadLog("day.txt"), bytes + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueGuiTest,
    ::testing::Values(
        // volts x amps overflows: the energy is infinite.
        ValueCase{"1e308", "1e308", "1E+308 V", 1e308, "Inf Wh"},
        ValueCase{"minus 1e308", "-1e308", "-1E+308 V", -1e308, "Inf Wh"},
        ValueCase{"largest", "1.7976931348623157e308", "1.79769313486232E+308 V", DBL_MAX,
                  "Inf Wh"},
        // Not numbers to this program: 0, as any unusable text.
        ValueCase{"1e400", "1e400", "0 V", 0, "0 Wh"},
        ValueCase{"minus 1e400", "-1e400", "0 V", 0, "0 Wh"},
        ValueCase{"nan", "nan", "0 V", 0, "0 Wh"}, ValueCase{"inf", "inf", "0 V", 0, "0 Wh"},
        ValueCase{"minus inf", "-inf", "0 V", 0, "0 Wh"},
        ValueCase{"10000 digits", std::string(10000, '7'), "0 V", 0, "0 Wh"},
        // Tiny but a number.
        ValueCase{"10000 decimals", "0." + std::string(9998, '0') + "1", "0 V", 0, "0 Wh"}),
    [](const auto& info) { return CaseName(info.param.what); });

// ---- Interval texts that are no 16-bit number.

struct IntervalCase {
  const char* text;
  const char* pastedShows;
  int pastedStores;
  // Typed key by key, each key is a change of its own: a key that leaves no number makes
  // the box "10", and the next keys go on after it.
  const char* typedShows;
  int typedStores;
};

void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.text; }

class IntervalGuiTest : public BadInputGuiTest,
                        public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalGuiTest, PastedAndTyped) {
  const IntervalCase& c = GetParam();
  Open();
  DisplayDay("day.txt", 10);
  TextBox& interval = Box("Interval");
  interval.setFocus();

  QApplication::clipboard()->setText(QString::fromLatin1(c.text));
  interval.selectAll();
  interval.paste();
  EXPECT_EQ(interval.text(), c.pastedShows);
  EXPECT_EQ(S().logInterval, c.pastedStores);

  interval.selectAll();
  QTest::keyClicks(&interval, QString::fromLatin1(c.text));
  EXPECT_EQ(interval.text(), c.typedShows);
  EXPECT_EQ(S().logInterval, c.typedStores);

  // The next redraw finds a number of 10..120 and leaves it.
  Click("Check4");
  EXPECT_EQ(interval.text(), c.typedShows);
  EXPECT_EQ(S().logInterval, c.typedStores);
}

INSTANTIATE_TEST_SUITE_P(Texts, IntervalGuiTest,
                         ::testing::Values(IntervalCase{"40000", "10", 10, "10", 10},
                                           IntervalCase{"-40000", "10", 10, "100", 100},
                                           IntervalCase{"1e9", "10", 10, "109", 109},
                                           IntervalCase{"1,5", "10", 10, "105", 105}),
                         [](const auto& info) { return CaseName(info.param.text); });

// ---- Beyond the end of the series in a display of 9,999 records.

class LargeDisplayGuiTest : public BadInputGuiTest {
 protected:
  // large.txt must be there when the window opens.
  void DisplayLargeDay() {
    ClickFile("large.txt");
    ASSERT_EQ(S().recordCount, 9999);
    ASSERT_EQ(S().zoomState, 0);
  }
};

// A zoom released far right of the chart: the view reaches past index 10000; the chart
// draws the records up to there, and the finish time, whose record does not exist, shows
// "--:--".
TEST_F(LargeDisplayGuiTest, ZoomReleasedFarRight) {
  const std::string bytes = TestDay(9999, 8);
  folder_.WriteLog("large.txt", bytes);
  Open();
  const float releases[] = {10000.6f, 20000, 50000, 1e9f, FLT_MAX};
  for (const float x : releases) {
    SCOPED_TRACE(x);
    DisplayLargeDay();
    Mark();
    Press(9000);
    Release(x);
    EXPECT_EQ(S().zoomState, 1);
    EXPECT_EQ(S().viewEnd, x);
    EXPECT_FALSE(Marked());
    EXPECT_EQ(Caption("stime"), "20:00");  // record 9000, 72000 s
    EXPECT_EQ(Caption("ftime"), "--:--");
    EXPECT_EQ(Caption("VMax1"), "2509.75 V");  // record 9999; index 10000 holds 0
    // Over the records the readout follows the pointer; right of them it stays.
    Plot().onMouseMove(0, 0, 500, 0);
    EXPECT_EQ(Caption("vv"), "2385 V");  // record 9500
    Plot().onMouseMove(0, 0, 5000, 0);
    EXPECT_EQ(Caption("vv"), "2385 V");
    // The real pointer anywhere over the zoomed chart.
    PictureBox& plot = Plot();
    for (int px = 0; px < plot.width(); px += 37) QTest::mouseMove(&plot, QPoint(px, 50));
  }
  EXPECT_EQ(folder_.ReadLog("large.txt")->size(), bytes.size() + 2 * std::size(releases));
}

// During a drag the readout index is the press's x plus the pointer's: over a large
// display it passes 10000 inside the chart. The labels then keep their last values and the
// red line is drawn all the same.
TEST_F(LargeDisplayGuiTest, ReadoutWhileDragging) {
  const std::string bytes = TestDay(9999, 8);
  folder_.WriteLog("large.txt", bytes);
  Open();
  DisplayLargeDay();
  Press(8000);
  Move(1000);  // record 9000
  EXPECT_EQ(Caption("vv"), "2260 V");
  EXPECT_GT(RedOnTopRow(), 100);
  Move(1999.5f);  // record 9999
  const std::string last = Readout();
  EXPECT_EQ(Caption("vv"), "2509.75 V");
  Mark();
  Move(3000);  // index 11000
  EXPECT_EQ(Readout(), last);
  EXPECT_GT(RedOnTopRow(), 100);
  Release(500);  // to the left of the press: no zoom
  EXPECT_EQ(S().zoomState, 0);
  Plot().onMouseMove(0, 0, 2500, 0);  // no button; index 10500
  EXPECT_EQ(Readout(), last);

  // The same with the real mouse.
  PictureBox& plot = Plot();
  QTest::mousePress(&plot, Qt::LeftButton, {}, QPoint(plot.width() * 4 / 5, 50));
  Mark();
  QTest::mouseMove(&plot, QPoint(plot.width() - 5, 50));
  EXPECT_EQ(Readout(), last);
  EXPECT_GT(RedOnTopRow(), 10);
  QTest::mouseRelease(&plot, Qt::LeftButton, {}, QPoint(10, 50));
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(S().mouseIsDown, 0);
  EXPECT_EQ(folder_.ReadLog("large.txt"), bytes + "\r\n");
}

// ---- After the record-limit message: recordCount is 10000 and the view is still that of
// the display before (0 to 0 when there was none).

class RecordLimitGuiTest : public BadInputGuiTest, public ::testing::WithParamInterface<int> {};

TEST_P(RecordLimitGuiTest, TogglesMovesAndAZoom) {
  const int earlier = GetParam();  // records of the display before, 0 for none
  const std::string small = TestDay(50);
  const std::string big = OtherDay(10000, 8);
  folder_.WriteLog("small.txt", small);
  folder_.WriteLog("big.txt", big);
  Open();
  if (earlier) ClickFile("small.txt");
  const std::string ftimeBefore = Caption("ftime");
  Mark();
  const auto seen = ClickAndCatch("big.txt");
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, kRecordLimitMessage);
  EXPECT_EQ(S().recordCount, 10000);
  EXPECT_EQ(S().viewStart, earlier ? 1 : 0);
  EXPECT_EQ(S().viewEnd, earlier ? 50 : 0);
  EXPECT_TRUE(Marked());

  // A toggle redraws the old view from the new records; a view of 0 to 0 only clears.
  Click("Check4");
  EXPECT_FALSE(Marked());
  EXPECT_EQ(Caption("ftime"), earlier ? std::string("00:06") : ftimeBefore);  // big.txt's record 50
  EXPECT_EQ(Caption("VMax1"), earlier ? "1050.00 V" : "0");

  // The readout shows the new records, through the old view.
  Plot().onMouseMove(0, 0, 10, 0);
  EXPECT_EQ(Caption("vv"), earlier ? "1011 V" : "1010 V");

  // One zoom into the new records.
  Press(5);
  Move(20);
  EXPECT_GT(RedOnTopRow(), 0);
  Release(20);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_EQ(S().viewStart, 5);
  EXPECT_EQ(S().viewEnd, 20);
  EXPECT_EQ(Caption("stime"), "00:00");
  EXPECT_EQ(Caption("ftime"), "00:02");  // record 20, 160 s
  EXPECT_EQ(Caption("VMax1"), "1020.00 V");

  // The next display is an ordinary one again.
  EXPECT_FALSE(ClickAndCatch("small.txt"));
  EXPECT_EQ(S().recordCount, 50);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(folder_.ReadLog("big.txt"), big + "\r\n");
  EXPECT_EQ(folder_.ReadLog("small.txt"), small + (earlier ? "\r\n\r\n" : "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(EarlierDisplay, RecordLimitGuiTest, ::testing::Values(0, 50),
                         [](const auto& info) {
                           return info.param ? std::string("AfterADisplay")
                                             : std::string("FirstDisplay");
                         });

}  // namespace
}  // namespace tallyo::test
