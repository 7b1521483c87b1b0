// The viewer window driven through its real controls, offscreen: its state after load,
// DISPLAY from the file list and the button, the messages, the series switches and the
// interval box.

#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "log/LoadLog.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

using GraphGuiTest = GraphFixture;

TEST_F(GraphGuiTest, StateAndControlsRightAfterLoad) {
  folder_.WriteLog("2026-01-02.txt", TestDay(3));
  folder_.WriteLog("2026-01-01.TXT", TestDay(3));
  folder_.WriteLog("notes.log", "");
  std::filesystem::create_directory(folder_.LogPath("folder.txt"));
  Graph& g = Open();

  for (const char* ticked : {"Check1", "Check2", "Check3", "Check6"})
    EXPECT_TRUE(Check(ticked).isChecked()) << ticked;
  for (const char* unticked : {"Check4", "Check5"})
    EXPECT_FALSE(Check(unticked).isChecked()) << unticked;
  EXPECT_EQ(S().showVolts, 1);
  EXPECT_EQ(S().showAmps, 1);
  EXPECT_EQ(S().showWatts, 1);
  EXPECT_EQ(S().refVoltsToZero, 1);
  EXPECT_EQ(S().showRpm, 0);
  EXPECT_EQ(S().showSpeed, 0);
  EXPECT_EQ(S().logInterval, 10);
  EXPECT_EQ(S().recordCount, 0);
  EXPECT_EQ(S().viewStart, 0);
  EXPECT_EQ(S().viewEnd, 0);
  EXPECT_EQ(S().mouseIsDown, 0);
  EXPECT_EQ(S().zoomState, 0);

  for (const char* value : {"vv", "av", "wv", "rv", "sv", "VMax1", "VMin1", "AMax1", "AMin1",
                            "WMax1", "WMin1", "RMax1", "RMin1", "SMax1", "SMin1"})
    EXPECT_EQ(Caption(value), "0") << value;
  EXPECT_EQ(Caption("stime"), "Start");
  EXPECT_EQ(Caption("ftime"), "Finish");
  EXPECT_EQ(Caption("watts"), "Wh");
  EXPECT_EQ(Caption("text1"), "");
  EXPECT_EQ(Caption("vt"), "");
  EXPECT_EQ(Box("Interval").text(), "10");
  EXPECT_EQ(Box("Time1h").text(), "00");
  EXPECT_EQ(Box("Time1m").text(), "00");
  EXPECT_EQ(Box("Time2h").text(), "23");
  EXPECT_EQ(Box("Time2m").text(), "59");

  const std::string logs = folder_.LogsFolder();
  EXPECT_EQ(Child<DirListBox>(g, "Dir1")->Path(), logs);
  EXPECT_EQ(Files().Path(), logs);
  ASSERT_EQ(Files().count(), 2);
  EXPECT_EQ(Files().item(0)->text(), "2026-01-01.TXT");
  EXPECT_EQ(Files().item(1)->text(), "2026-01-02.txt");
  EXPECT_EQ(Files().FileName(), "");
  EXPECT_EQ(g.windowTitle(), "Graph");
  EXPECT_EQ(g.size(), QSize(991, 450));
  EXPECT_EQ(g.minimumSize(), g.maximumSize());
}

TEST_F(GraphGuiTest, FileClickDisplaysTheWholeDay) {
  folder_.WriteLog("day.txt", TestDay(100));
  Open();
  Box("Time1h").setText("05");
  Box("Time1m").setText("10");
  Box("Time2h").setText("06");
  Box("Time2m").setText("20");
  const auto sizeBefore = folder_.ReadLog("day.txt")->size();

  ClickFile("day.txt");

  EXPECT_EQ(Caption("text1"), "day.txt");
  EXPECT_EQ(Box("Time1h").text(), "00");
  EXPECT_EQ(Box("Time1m").text(), "00");
  EXPECT_EQ(Box("Time2h").text(), "23");
  EXPECT_EQ(Box("Time2m").text(), "59");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), sizeBefore + 2);
  EXPECT_EQ(S().recordCount, 100);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 100);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(Caption("stime"), "00:00");
  EXPECT_EQ(Caption("ftime"), "00:16");
  EXPECT_EQ(Caption("VMax1"), "35.00 V");
  EXPECT_EQ(Caption("VMin1"), "0.00 V");
  EXPECT_TRUE(Caption("watts").endsWith(" Wh"));
  EXPECT_NE(Caption("watts"), "Wh");

  // The chart shows curves on its grey.
  const QImage picture = Plot().Picture();
  int coloured = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixelColor(x, y) != QColor(64, 64, 64)) ++coloured;
  EXPECT_GT(coloured, 100);
}

TEST_F(GraphGuiTest, DisplayButtonReadsTheBoxesAndTheChosenFile) {
  folder_.WriteLog("day.txt", TestDay(100));
  Open();
  ClickFile("day.txt");
  // Records 31..59 lie strictly between 00:05 and 00:10.
  Box("Time1h").setText("0");
  Box("Time1m").setText("5");
  Box("Time2h").setText("00");
  Box("Time2m").setText("10");
  const auto sizeBefore = folder_.ReadLog("day.txt")->size();
  EXPECT_FALSE(CatchMessage(
      [&] { QTest::mouseClick(Child<QWidget>(*graph_, "Command1"), Qt::LeftButton); }));
  EXPECT_EQ(S().recordCount, 29);
  EXPECT_EQ(Caption("stime"), "00:05");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), sizeBefore + 2);
}

struct MessageCase {
  const char* what;
  const char* time1h;
  const char* time1m;
  const char* time2h;
  const char* time2m;
  bool chooseFile;
  int records;  // in the chosen file
  const char* message;
};

class GraphMessageTest : public GraphFixture, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(GraphMessageTest, DisplayShowsTheMessageInTheProgramsBox) {
  const MessageCase& c = GetParam();
  folder_.WriteLog("day.txt", TestDay(c.records, c.records > 9000 ? 8 : 10));
  Open();
  if (c.chooseFile) {
    // Choosing the file displays it once; its messages are not the ones under test.
    CatchMessage([&] { ClickFile("day.txt"); });
  }
  Box("Time1h").setText(c.time1h);
  Box("Time1m").setText(c.time1m);
  Box("Time2h").setText(c.time2h);
  Box("Time2m").setText(c.time2m);

  const auto seen =
      CatchMessage([&] { QTest::mouseClick(Child<QWidget>(*graph_, "Command1"), Qt::LeftButton); });

  ASSERT_TRUE(seen) << c.what;
  EXPECT_EQ(seen->text, QString::fromLatin1(c.message)) << c.what;
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->buttonCount, 1);
  EXPECT_TRUE(seen->hasOk);
  EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GraphMessageTest,
    ::testing::Values(
        MessageCase{"hours 24", "24", "00", "23", "59", true, 5, "Bad time format for start time"},
        MessageCase{"both bad", "12", "60", "24", "00", true, 5, "Bad time format for start time"},
        MessageCase{"finish minutes 60", "00", "00", "23", "60", true, 5,
                    "Bad time format for finish time"},
        MessageCase{"no file", "00", "00", "23", "59", false, 5, "select a file to view"},
        MessageCase{"bad time before no file", "x", "00", "23", "59", false, 5,
                    "Bad time format for start time"},
        MessageCase{"empty window", "12", "00", "12", "00", true, 5, "No data for that date"},
        MessageCase{"empty file", "00", "00", "23", "59", true, 0, "No data for that date"},
        MessageCase{"record limit", "00", "00", "23", "59", true, 10000,
                    kRecordLimitMessage.data()}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(GraphGuiTest, MissingLogsFolderGivesAnEmptyListAndAMessageNotACrash) {
  std::filesystem::remove(folder_.LogsFolder());
  Graph& g = Open();
  EXPECT_EQ(Files().count(), 0);
  EXPECT_EQ(Child<DirListBox>(g, "Dir1")->Path(), folder_.LogsFolder());
  auto seen =
      CatchMessage([&] { QTest::mouseClick(Child<QWidget>(g, "Command1"), Qt::LeftButton); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, "select a file to view");
}

TEST_F(GraphGuiTest, LogsFolderGoneAfterChoosingReportsTheFileAndKeepsRunning) {
  folder_.WriteLog("day.txt", TestDay(5));
  Open();
  std::filesystem::remove_all(folder_.LogsFolder());
  const auto seen = CatchMessage([&] { ClickFile("day.txt"); });
  ASSERT_TRUE(seen);
  EXPECT_TRUE(seen->text.contains("day.txt")) << seen->text.toStdString();
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(S().recordCount, 0);
  EXPECT_FALSE(std::filesystem::exists(folder_.LogsFolder()));
}

TEST_F(GraphGuiTest, ClickingTheChosenFileAgainDisplaysItAgain) {
  folder_.WriteLog("day.txt", TestDay(4));
  Open();
  const auto size0 = folder_.ReadLog("day.txt")->size();
  ClickFile("day.txt");
  Box("Time2h").setText("00");
  ClickFile("day.txt");
  EXPECT_EQ(Box("Time2h").text(), "23");
  ClickFile("day.txt");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), size0 + 6);
}

// A name need not be valid UTF-8 (a stick written on an older system: "caf\xe9"). Its row
// shows what it can and opens exactly that file; a name that looks the same on the screen
// is a row of its own that opens its own file, and no file is made.
TEST_F(GraphGuiTest, EachRowOpensTheFileOfExactlyItsName) {
  const std::string latin1 = "caf\xe9.txt", lookalike = "caf\xef\xbf\xbd.txt";
  folder_.WriteLog(latin1, TestDay(3));
  folder_.WriteLog(lookalike, TestDay(5));
  Graph& g = Open();
  ASSERT_EQ(Files().count(), 2);
  for (const int row : {0, 1}) {
    EXPECT_EQ(Files().item(row)->text(), QString::fromUtf8("caf\uFFFD.txt")) << row;
  }
  const struct {
    int row;
    const std::string& name;
    int records;
  } clicks[] = {{0, latin1, 3}, {1, lookalike, 5}, {0, latin1, 3}};
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.row);
    const auto before = folder_.ReadLog(c.name)->size();
    QTest::mouseClick(Files().viewport(), Qt::LeftButton, {},
                      Files().visualItemRect(Files().item(c.row)).center());
    EXPECT_EQ(Child<Label>(g, "text1")->Caption(), c.name);
    EXPECT_EQ(S().recordCount, c.records);
    EXPECT_EQ(folder_.ReadLog(c.name)->size(), before + 2);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.LogsFolder()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(GraphGuiTest, KeyboardMoveInTheFileListDisplaysTheNextDay) {
  folder_.WriteLog("a.txt", TestDay(3));
  folder_.WriteLog("b.txt", TestDay(7));
  Open();
  ClickFile("a.txt");
  EXPECT_EQ(S().recordCount, 3);
  QTest::keyClick(&Files(), Qt::Key_Down);
  EXPECT_EQ(Caption("text1"), "b.txt");
  EXPECT_EQ(S().recordCount, 7);
}

// A switch is stored at every click; the chart is redrawn only with two or more records.
struct ToggleCase {
  int records;
  bool redraws;
};

class GraphToggleTest : public GraphFixture, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(GraphToggleTest, ClickStoresTheTickAndRedrawsOnlyWithTwoRecords) {
  const ToggleCase c = GetParam();
  Open();
  if (c.records > 0) DisplayDay("day.txt", c.records);
  struct Box {
    const char* name;
    std::int16_t ViewerState::*field;
  };
  const Box boxes[] = {
      {"Check1", &ViewerState::showVolts}, {"Check2", &ViewerState::showAmps},
      {"Check3", &ViewerState::showWatts}, {"Check4", &ViewerState::showRpm},
      {"Check5", &ViewerState::showSpeed}, {"Check6", &ViewerState::refVoltsToZero}};
  for (const Box& box : boxes) {
    CheckBox& check = Check(box.name);
    for (int round = 0; round < 2; ++round) {
      const int before = check.Value();
      Mark();
      QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
      EXPECT_EQ(check.Value(), 1 - before) << box.name;
      EXPECT_EQ(S().*box.field, 1 - before) << box.name;
      EXPECT_EQ(Marked(), !c.redraws) << box.name << " with " << c.records << " records";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RecordCounts, GraphToggleTest,
                         ::testing::Values(ToggleCase{0, false}, ToggleCase{1, false},
                                           ToggleCase{2, true}, ToggleCase{50, true}));

TEST_F(GraphGuiTest, UntickedVoltsBeforeDisplayLeavesTheVoltsCurveOut) {
  Open();
  Check("Check1").SetValue(0);
  EXPECT_EQ(S().showVolts, 0);
  DisplayDay("day.txt", 40);
  const QImage picture = Plot().Picture();
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      ASSERT_NE(picture.pixelColor(x, y), QColor(255, 0, 0)) << x << "," << y;
}

TEST_F(GraphGuiTest, ToggleWhileZoomedRedrawsTheZoomedView) {
  Open();
  DisplayDay("day.txt", 100);
  Plot().onMouseDown(1, 0, 20.25f, 0);
  Plot().onMouseUp(1, 0, 60.75f, 0);
  ASSERT_EQ(S().zoomState, 1);
  Mark();
  Check("Check4").SetValue(1);
  EXPECT_FALSE(Marked());
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_EQ(S().viewStart, 20.25);
  EXPECT_EQ(S().viewEnd, 60.75);
  EXPECT_EQ(Caption("stime"), "00:03");  // record 20
  EXPECT_EQ(Caption("ftime"), "00:10");  // record 61
  EXPECT_FLOAT_EQ(Plot().ScaleWidth(), 40.5f);
}

TEST_F(GraphGuiTest, TypingOverTheSelectedIntervalStoresEachKey) {
  Open();
  TextBox& interval = Box("Interval");
  interval.setFocus();
  interval.selectAll();
  QTest::keyClick(&interval, Qt::Key_3);
  EXPECT_EQ(S().logInterval, 3);
  QTest::keyClick(&interval, Qt::Key_0);
  EXPECT_EQ(S().logInterval, 30);
  EXPECT_EQ(interval.text(), "30");
}

TEST_F(GraphGuiTest, IntervalKeepsANumberInItsBox) {
  Open();
  TextBox& interval = Box("Interval");

  // Clearing: the box holds "10" again at once.
  interval.selectAll();
  QTest::keyClick(&interval, Qt::Key_Backspace);
  EXPECT_EQ(interval.text(), "10");
  EXPECT_EQ(S().logInterval, 10);

  // A letter behind the digits.
  interval.setText("25");
  interval.end(false);
  QTest::keyClick(&interval, Qt::Key_X);
  EXPECT_EQ(interval.text(), "10");
  EXPECT_EQ(S().logInterval, 10);

  struct Case {
    const char* text;
    const char* shown;
    int stored;
  };
  const Case cases[] = {{"2.5", "2.5", 2},   {"3.5", "3.5", 4},        {"-5", "-5", -5},
                        {"0", "0", 0},       {"40000", "10", 10},      {"-40000", "10", 10},
                        {"1e9", "10", 10},   {" 12 ", " 12 ", 12},     {"abc", "10", 10},
                        {"500", "500", 500}, {"32767", "32767", 32767}};
  for (const Case& c : cases) {
    interval.setText("77");
    interval.setText(c.text);
    EXPECT_EQ(interval.text(), c.shown) << c.text;
    EXPECT_EQ(S().logInterval, c.stored) << c.text;
  }
}

TEST_F(GraphGuiTest, NegativeIntervalStaysUntilTheNextRedrawLiftsIt) {
  Open();
  DisplayDay("day.txt", 10);
  TextBox& interval = Box("Interval");
  interval.setText("-5");
  EXPECT_EQ(interval.text(), "-5");
  EXPECT_EQ(S().logInterval, -5);
  Check("Check5").SetValue(1);  // redraws
  EXPECT_EQ(interval.text(), "10");
  EXPECT_EQ(S().logInterval, 10);

  interval.setText("500");
  Check("Check5").SetValue(0);
  EXPECT_EQ(interval.text(), "120");
  EXPECT_EQ(S().logInterval, 120);
}

TEST_F(GraphGuiTest, ExitButtonClosesTheViewer) {
  Graph& g = Open();
  ASSERT_TRUE(g.isVisible());
  QTest::mouseClick(Child<QWidget>(g, "Command2"), Qt::LeftButton);
  EXPECT_FALSE(g.isVisible());
}

// The file list follows the logs folder while a day is shown, as another program changes
// it: a day that comes is listed and one that goes is removed within a second, the chosen
// day stays chosen, the entries in view stay where they are, and nothing is clicked or
// displayed again. A day that only grows (the logger appending) changes nothing.
TEST_F(GraphGuiTest, FileListFollowsTheLogsFolder) {
  for (int d = 10; d < 70; ++d) folder_.WriteLog("d" + std::to_string(d) + ".txt", TestDay(3));
  Open();
  FileListBox& list = Files();
  list.scrollToItem(list.item(20), QAbstractItemView::PositionAtTop);
  ClickFile("d35.txt");
  ASSERT_EQ(S().recordCount, 3);
  Box("Time1h").setText("05");
  Mark();
  const int scrolled = list.verticalScrollBar()->value();
  const auto listed = [&] {
    QStringList names;
    for (int i = 0; i < list.count(); ++i) names << list.item(i)->text();
    return names;
  };
  const auto change = [&](const QString& command, const QStringList& expected) {
    // std::system rather than QProcess, whose way of starting a program qemu's user-mode
    // emulation (the arm64 build's tests) refuses.
    const std::string line = "cd '" + folder_.LogsFolder() + "' && " + command.toStdString();
    ASSERT_EQ(std::system(line.c_str()), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return listed() == expected; }, 1000))
        << command.toStdString();
    EXPECT_EQ(list.itemAt(1, 1)->text(), "d30.txt") << command.toStdString();
    EXPECT_TRUE(Marked());
    EXPECT_EQ(Box("Time1h").text(), "05");
  };

  // Days come and go above the entries in view and below them.
  QStringList expected = listed();
  expected.removeAll("d12.txt");
  expected.removeAll("d60.txt");
  expected.prepend("d05.txt");
  expected.append("d99.txt");
  change(": >d05.txt && : >d99.txt && rm d12.txt d60.txt && printf x >>d35.txt", expected);
  EXPECT_EQ(list.FileName(), "d35.txt");
  EXPECT_EQ(list.verticalScrollBar()->value(), scrolled);
  expected.removeAll("d11.txt");
  change("rm d11.txt", expected);
  EXPECT_EQ(list.FileName(), "d35.txt");
  // The chosen day goes: nothing is chosen.
  expected.removeAll("d35.txt");
  change("rm d35.txt", expected);
  EXPECT_EQ(list.FileName(), "");
  EXPECT_EQ(S().recordCount, 3);
}

}  // namespace
}  // namespace tallyo::test
