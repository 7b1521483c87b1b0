// The viewer window on both editions, driven as the user and automation drive it: its
// state after load, DISPLAY from the file list and the button, the messages of the DISPLAY
// command in the program's box, a missing or vanishing logs folder, the series switches,
// the interval box, and the file list following the logs folder.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Shown.h"
#include "platform/Colours.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

struct MessageCase {
  const char* what;
  const char* time1h;
  const char* time1m;
  const char* time2h;
  const char* time2m;
  bool chooseFile;
  int records;  // in the day file
  // The message of the click that chooses the file, which displays the whole day; nullptr
  // for none.
  const char* chosenMessage;
  const char* message;
};

class GraphMessageTest : public GraphFixture, public ::testing::WithParamInterface<MessageCase> {};

TEST_P(GraphMessageTest, DisplayShowsTheMessageInTheProgramsBox) {
  const MessageCase& c = GetParam();
  folder_.WriteLog("day.txt", TestDay(c.records, c.records > 9000 ? 8 : 10));
  Open();
  if (c.chooseFile) {
    const auto chosen = CatchMessage([&] { ClickFile("day.txt"); });
    ASSERT_EQ(chosen.has_value(), c.chosenMessage != nullptr) << c.what;
    if (chosen) {
      EXPECT_EQ(chosen->text, c.chosenMessage) << c.what;
    }
  }
  SetCaption("Time1h", c.time1h);
  SetCaption("Time1m", c.time1m);
  SetCaption("Time2h", c.time2h);
  SetCaption("Time2m", c.time2m);

  const auto seen = CatchMessage([&] { Click("Command1"); });

  ASSERT_TRUE(seen) << c.what;
  EXPECT_EQ(seen->text, c.message) << c.what;
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->buttons, 1);
  EXPECT_TRUE(seen->hasOk);
  EXPECT_FALSE(seen->hasIcon);
  EXPECT_EQ(seen->owner, WindowId(*graph_));
  EXPECT_FALSE(MessageOpen());
}

const char kLimitMessage[] =
    "Over 10,000 records, too many to display. Please use a smaller time range. If you set "
    "you logging interval to 10 seconds or more, you wont have this problem in the future. ";

INSTANTIATE_TEST_SUITE_P(
    Messages, GraphMessageTest,
    ::testing::Values(MessageCase{"hours 24", "24", "00", "23", "59", true, 5, nullptr,
                                  "Bad time format for start time"},
                      MessageCase{"both bad", "12", "60", "24", "00", true, 5, nullptr,
                                  "Bad time format for start time"},
                      MessageCase{"finish minutes 60", "00", "00", "23", "60", true, 5, nullptr,
                                  "Bad time format for finish time"},
                      MessageCase{"no file", "00", "00", "23", "59", false, 5, nullptr,
                                  "select a file to view"},
                      MessageCase{"bad time before no file", "x", "00", "23", "59", false, 5,
                                  nullptr, "Bad time format for start time"},
                      MessageCase{"empty window", "12", "00", "12", "00", true, 5, nullptr,
                                  "No data for that date"},
                      MessageCase{"empty file", "00", "00", "23", "59", true, 0,
                                  "No data for that date", "No data for that date"},
                      MessageCase{"record limit", "00", "00", "23", "59", true, 10000,
                                  kLimitMessage, kLimitMessage},
                      MessageCase{"hours 24 before no file", "24", "00", "23", "59", false, 5,
                                  nullptr, "Bad time format for start time"},
                      MessageCase{"finish hours 24 before no file", "00", "00", "24", "59", false,
                                  5, nullptr, "Bad time format for finish time"}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

using GraphUserTest = GraphFixture;

TEST_F(GraphUserTest, StateAndControlsRightAfterLoad) {
  folder_.WriteLog("2026-01-02.txt", TestDay(3));
  folder_.WriteLog("2026-01-01.TXT", TestDay(3));
  folder_.WriteLog("notes.log", "");
  std::filesystem::create_directory(NativePath(folder_.LogPath("folder.txt")));
  Graph& g = Open();

  for (const char* ticked : {"Check1", "Check2", "Check3", "Check6"})
    EXPECT_EQ(Check(ticked).Value(), 1) << ticked;
  for (const char* unticked : {"Check4", "Check5"})
    EXPECT_EQ(Check(unticked).Value(), 0) << unticked;
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
  EXPECT_EQ(Caption("Interval"), "10");
  EXPECT_EQ(Caption("Time1h"), "00");
  EXPECT_EQ(Caption("Time1m"), "00");
  EXPECT_EQ(Caption("Time2h"), "23");
  EXPECT_EQ(Caption("Time2m"), "59");

  // Only the files of the pattern, by name without regard to case.
  const std::string logs = folder_.LogsFolder();
  EXPECT_EQ(g.Find<DirListBox>("Dir1")->Path(), logs);
  EXPECT_EQ(Files().Path(), logs);
  EXPECT_EQ(Entries(Item("File1")), (std::vector<std::string>{"2026-01-01.TXT", "2026-01-02.txt"}));
  EXPECT_EQ(Files().FileName(), "");
}

TEST_F(GraphUserTest, FileClickDisplaysTheWholeDay) {
  folder_.WriteLog("day.txt", TestDay(100));
  Open();
  SetCaption("Time1h", "05");
  SetCaption("Time1m", "10");
  SetCaption("Time2h", "06");
  SetCaption("Time2m", "20");
  const auto sizeBefore = folder_.ReadLog("day.txt")->size();

  ClickFile("day.txt");

  EXPECT_EQ(Caption("text1"), "day.txt");
  EXPECT_EQ(Caption("Time1h"), "00");
  EXPECT_EQ(Caption("Time1m"), "00");
  EXPECT_EQ(Caption("Time2h"), "23");
  EXPECT_EQ(Caption("Time2m"), "59");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), sizeBefore + 2);
  EXPECT_EQ(S().recordCount, 100);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 100);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(Caption("stime"), "00:00");  // record 1 at 00:00:10
  EXPECT_EQ(Caption("ftime"), "00:16");  // record 100 at 00:16:40
  EXPECT_EQ(Caption("VMax1"), "35.00 V");
  EXPECT_EQ(Caption("VMin1"), "0.00 V");
  EXPECT_TRUE(Caption("watts").ends_with(" Wh"));
  EXPECT_NE(Caption("watts"), "Wh");

  // The chart shows curves on its grey, on the screen.
  const ShownPicture chart = Shown(Plot());
  EXPECT_GT(chart.width * chart.height - chart.Count(PixelOf(kChartGrey)),
            std::max(100, chart.width));
}

// Without a logs folder the viewer opens with an empty list, asks for a file at DISPLAY,
// and its boxes, switches and Exit work; no folder is made.
TEST_F(GraphUserTest, MissingLogsFolderGivesAnEmptyListAndAUsableWindow) {
  std::filesystem::remove(NativePath(folder_.LogsFolder()));
  Graph& g = Open();
  EXPECT_TRUE(Entries(Item("File1")).empty());
  EXPECT_EQ(g.Find<DirListBox>("Dir1")->Path(), folder_.LogsFolder());

  const auto seen = CatchMessage([&] { Click("Command1"); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, "select a file to view");
  SetCaption("Interval", "x");
  EXPECT_EQ(Caption("Interval"), "10");
  Click("Check4");
  EXPECT_EQ(Check("Check4").Value(), 1);
  const ShownPicture chart = Shown(Plot());
  EXPECT_EQ(chart.Count(PixelOf(kChartGrey)), chart.width * chart.height);
  EXPECT_FALSE(std::filesystem::exists(NativePath(folder_.LogsFolder())));

  ASSERT_TRUE(Visible(g));
  Click("Command2");
  EXPECT_FALSE(Visible(g)) << "Exit closes the viewer";
}

TEST_F(GraphUserTest, ExitButtonClosesTheViewer) {
  Graph& g = Open();
  ASSERT_TRUE(Visible(g));
  Click("Command2");
  EXPECT_FALSE(Visible(g));
}

TEST_F(GraphUserTest, DisplayButtonReadsTheBoxesAndTheChosenFile) {
  folder_.WriteLog("day.txt", TestDay(100));
  Open();
  ClickFile("day.txt");
  // Records 31..59 lie strictly between 00:05 and 00:10.
  SetCaption("Time1h", "0");
  SetCaption("Time1m", "5");
  SetCaption("Time2h", "00");
  SetCaption("Time2m", "10");
  const auto sizeBefore = folder_.ReadLog("day.txt")->size();
  EXPECT_FALSE(CatchMessage([&] { Click("Command1"); }));
  EXPECT_EQ(S().recordCount, 29);
  EXPECT_EQ(Caption("stime"), "00:05");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), sizeBefore + 2);
}

TEST_F(GraphUserTest, LogsFolderGoneAfterChoosingReportsTheFileAndKeepsRunning) {
  folder_.WriteLog("day.txt", TestDay(5));
  Open();
  std::filesystem::remove_all(NativePath(folder_.LogsFolder()));
  const auto seen = CatchMessage([&] { ClickFile("day.txt"); });
  ASSERT_TRUE(seen);
  EXPECT_NE(seen->text.find("day.txt"), std::string::npos) << seen->text;
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(S().recordCount, 0);
  EXPECT_FALSE(std::filesystem::exists(NativePath(folder_.LogsFolder())));
}

TEST_F(GraphUserTest, ClickingTheChosenFileAgainDisplaysItAgain) {
  folder_.WriteLog("day.txt", TestDay(4));
  Open();
  const auto size0 = folder_.ReadLog("day.txt")->size();
  ClickFile("day.txt");
  SetCaption("Time2h", "00");
  ClickFile("day.txt");
  EXPECT_EQ(Caption("Time2h"), "23");
  ClickFile("day.txt");
  EXPECT_EQ(folder_.ReadLog("day.txt")->size(), size0 + 6);
}

TEST_F(GraphUserTest, KeyboardMoveInTheFileListDisplaysTheNextDay) {
  folder_.WriteLog("a.txt", TestDay(3));
  folder_.WriteLog("b.txt", TestDay(7));
  Open();
  ClickFile("a.txt");
  EXPECT_EQ(S().recordCount, 3);
  PressArrow(Item("File1"), /*down=*/true);
  EXPECT_EQ(Caption("text1"), "b.txt");
  EXPECT_EQ(S().recordCount, 7);
}

// A switch is stored at every click; the chart is redrawn only with two or more records.
// A series shown or hidden leaves the labels as they are.
struct ToggleCase {
  int records;
  bool redraws;
};

class GraphToggleTest : public GraphFixture, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(GraphToggleTest, ClickStoresTheTickAndRedrawsOnlyWithTwoRecords) {
  const ToggleCase c = GetParam();
  Open();
  if (c.records > 0) DisplayDay("day.txt", c.records);
  const std::string labels = SummaryLabels();
  struct Box {
    const char* name;
    std::int16_t ViewerState::*field;
    bool labelsStay;  // "Ref V to 0v" moves the volts' lowest value
  };
  const Box boxes[] = {
      {"Check1", &ViewerState::showVolts, true}, {"Check2", &ViewerState::showAmps, true},
      {"Check3", &ViewerState::showWatts, true}, {"Check4", &ViewerState::showRpm, true},
      {"Check5", &ViewerState::showSpeed, true}, {"Check6", &ViewerState::refVoltsToZero, false}};
  for (const Box& box : boxes) {
    CheckBox& check = Check(box.name);
    for (int round = 0; round < 2; ++round) {
      const int before = check.Value();
      Mark();
      Click(box.name);
      EXPECT_EQ(check.Value(), 1 - before) << box.name;
      EXPECT_EQ(S().*box.field, 1 - before) << box.name;
      EXPECT_EQ(Marked(), !c.redraws) << box.name << " with " << c.records << " records";
      if (box.labelsStay) {
        EXPECT_EQ(SummaryLabels(), labels) << box.name;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RecordCounts, GraphToggleTest,
                         ::testing::Values(ToggleCase{0, false}, ToggleCase{1, false},
                                           ToggleCase{2, true}, ToggleCase{50, true}));

TEST_F(GraphUserTest, UntickedVoltsBeforeDisplayLeavesTheVoltsCurveOut) {
  Open();
  Check("Check1").SetValue(0);
  EXPECT_EQ(S().showVolts, 0);
  DisplayDay("day.txt", 40);
  PictureBox& plot = Plot();
  const std::uint32_t* pixels = plot.Pixels();
  EXPECT_EQ(std::count(pixels, pixels + plot.PictureWidth() * plot.PictureHeight(), PixelOf(kRed)),
            0);
}

TEST_F(GraphUserTest, ToggleWhileZoomedRedrawsTheZoomedView) {
  Open();
  DisplayDay("day.txt", 100);
  Press(20.25f);
  Release(60.75f);
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

TEST_F(GraphUserTest, TypingOverTheSelectedIntervalStoresEachKey) {
  Open();
  const Handle interval = Item("Interval");
  TypeOver(interval, "3");
  EXPECT_EQ(S().logInterval, 3);
  TypeAtEnd(interval, "0");
  EXPECT_EQ(S().logInterval, 30);
  EXPECT_EQ(Caption("Interval"), "30");
}

TEST_F(GraphUserTest, IntervalKeepsANumberInItsBox) {
  Open();
  const Handle interval = Item("Interval");

  // Clearing: the box holds "10" again at once.
  TypeOver(interval, "\b");
  EXPECT_EQ(Caption("Interval"), "10");
  EXPECT_EQ(S().logInterval, 10);

  // A letter behind the digits.
  SetCaption("Interval", "25");
  TypeAtEnd(interval, "x");
  EXPECT_EQ(Caption("Interval"), "10");
  EXPECT_EQ(S().logInterval, 10);

  // Texts set at once.
  struct Case {
    const char* text;
    const char* shown;
    int stored;
  };
  const Case cases[] = {{"2.5", "2.5", 2},   {"3.5", "3.5", 4},         {"-5", "-5", -5},
                        {"0", "0", 0},       {"40000", "10", 10},       {"-40000", "10", 10},
                        {"1e9", "10", 10},   {" 12 ", " 12 ", 12},      {"abc", "10", 10},
                        {"500", "500", 500}, {"32767", "32767", 32767}, {"", "10", 10},
                        {"25x", "10", 10},   {"x", "10", 10},           {"30", "30", 30}};
  for (const Case& c : cases) {
    SetCaption("Interval", "77");
    SetCaption("Interval", c.text);
    EXPECT_EQ(Caption("Interval"), c.shown) << c.text;
    EXPECT_EQ(S().logInterval, c.stored) << c.text;
  }
}

TEST_F(GraphUserTest, NegativeIntervalStaysUntilTheNextRedrawLiftsIt) {
  Open();
  DisplayDay("day.txt", 10);
  SetCaption("Interval", "-5");
  EXPECT_EQ(Caption("Interval"), "-5");
  EXPECT_EQ(S().logInterval, -5);
  Check("Check5").SetValue(1);  // redraws
  EXPECT_EQ(Caption("Interval"), "10");
  EXPECT_EQ(S().logInterval, 10);

  // The redraw's limit to 10..120 sets the box's text, whose change handling stores it.
  SetCaption("Interval", "500");
  EXPECT_EQ(S().logInterval, 500);
  Click("Check5");
  EXPECT_EQ(Caption("Interval"), "120");
  EXPECT_EQ(S().logInterval, 120);
}

// The file list follows the logs folder while a day is shown, as another program changes
// it: a day that comes is listed and one that goes is removed, the chosen day stays chosen,
// the entries in view stay where they are, and nothing is clicked or displayed again. A day
// that only grows (the logger appending) changes nothing. A folder that goes and comes
// back is followed too.
TEST_F(GraphUserTest, FileListFollowsTheLogsFolder) {
  for (int d = 10; d < 70; ++d) folder_.WriteLog("d" + std::to_string(d) + ".txt", TestDay(3));
  Open();
  const Handle list = Item("File1");
  ScrollToEntry(list, 20);
  ClickFile("d35.txt");
  ASSERT_EQ(S().recordCount, 3);
  SetCaption("Time1h", "05");
  Mark();
  const int scrolled = TopEntry(list);
  std::vector<std::string> expected = Entries(list);
  const auto remove = [&](const char* name) {
    std::filesystem::remove(NativePath(folder_.LogPath(name)));
    std::erase(expected, std::string(name));
  };
  const auto followed = [&](const char* change) {
    EXPECT_TRUE(WaitUntil([&] { return Entries(list) == expected; })) << change;
    const auto top = static_cast<std::size_t>(TopEntry(list));
    EXPECT_EQ(top < expected.size() ? expected[top] : "", "d30.txt") << change;
    EXPECT_TRUE(Marked()) << change;
    EXPECT_EQ(Caption("Time1h"), "05") << change;
    EXPECT_EQ(S().recordCount, 3) << change;
  };

  // Days come and go above the entries in view and below them.
  folder_.WriteLog("d05.txt", "");
  folder_.WriteLog("d99.txt", "");
  std::ofstream(NativePath(folder_.LogPath("d35.txt")), std::ios::binary | std::ios::app) << "x";
  expected.insert(expected.begin(), "d05.txt");
  expected.push_back("d99.txt");
  remove("d12.txt");
  remove("d60.txt");
  followed("days come and go");
  EXPECT_EQ(TopEntry(list), scrolled);
  EXPECT_EQ(Files().FileName(), "d35.txt");
  remove("d11.txt");
  followed("a day above the view goes");
  EXPECT_EQ(Files().FileName(), "d35.txt");
  // The chosen day goes: nothing is chosen.
  remove("d35.txt");
  followed("the chosen day goes");
  EXPECT_EQ(Files().FileName(), "");

  // The whole folder goes, and comes back.
  std::filesystem::remove_all(NativePath(folder_.LogsFolder()));
  EXPECT_TRUE(WaitUntil([&] { return Entries(list).empty(); }));
  std::filesystem::create_directory(NativePath(folder_.LogsFolder()));
  folder_.WriteLog("d01.txt", "");
  EXPECT_TRUE(WaitUntil([&] { return Entries(list) == std::vector<std::string>{"d01.txt"}; }));
}

}  // namespace
}  // namespace tallyo::test
