// The viewer window on both editions, driven as the user and automation drive it: a day
// displayed by a click, the messages of the DISPLAY command in the program's box, a
// missing logs folder, and the file list following the logs folder.

#include <algorithm>
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

using GraphToolkitTest = GraphFixture;

TEST_F(GraphToolkitTest, FileClickDisplaysTheWholeDay) {
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
TEST_F(GraphToolkitTest, MissingLogsFolderGivesAnEmptyListAndAUsableWindow) {
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

TEST_F(GraphToolkitTest, ExitButtonClosesTheViewer) {
  Graph& g = Open();
  ASSERT_TRUE(Visible(g));
  Click("Command2");
  EXPECT_FALSE(Visible(g));
}

// The file list follows the logs folder while a day is shown, as another program changes
// it: a day that comes is listed and one that goes is removed, the chosen day stays chosen,
// the entries in view stay where they are, and nothing is clicked or displayed again. A day
// that only grows (the logger appending) changes nothing. A folder that goes and comes
// back is followed too.
TEST_F(GraphToolkitTest, FileListFollowsTheLogsFolder) {
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
