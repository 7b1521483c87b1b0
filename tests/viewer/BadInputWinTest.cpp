// Bad input on Windows through the real window: a day file that another program holds
// open without sharing, and a logs folder that is missing when the viewer starts. The
// plain Windows file tests prove the messages and that no byte changes; these prove what
// the window does with them.

#include <filesystem>
#include <string>

#include "log/LoadLog.h"
#include "support/LoggerFile.h"
#include "viewer/GraphWinFixture.h"

namespace tallyo::test {
namespace {

using BadInputWinTest = GraphWinFixture;

TEST_F(BadInputWinTest, FileLockedByAnotherProgramIsNamedInTheBoxAndLeftAsItWas) {
  folder_.WriteLog("earlier.txt", TestDay(50));
  folder_.WriteLog("held.txt", TestDay(20));
  HWND g = Open();
  ClickFile("earlier.txt");
  ASSERT_EQ(S().recordCount, 50);
  const std::string labels = SummaryLabels();
  const Pixels shown = ChartPixels();

  std::optional<MessageSeen> seen;
  {
    LoggerFile logger(folder_.LogPath("held.txt"), /*share=*/0);
    ASSERT_TRUE(logger.IsOpen());
    seen = CatchMessage([&] { ClickFile("held.txt"); });
  }

  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->buttons, 1);
  EXPECT_FALSE(seen->hasIcon);
  EXPECT_EQ(seen->owner, g);
  const std::string path = LogFilePath(folder_.ProgramFolder(), "held.txt");
  EXPECT_NE(seen->text.find("\"" + path + "\""), std::string::npos) << seen->text;
  EXPECT_NE(seen->text.find(SystemMessage(ERROR_SHARING_VIOLATION)), std::string::npos)
      << seen->text;
  EXPECT_EQ(folder_.ReadLog("held.txt"), TestDay(20));
  // The earlier day stays on the chart and in the labels.
  EXPECT_EQ(S().recordCount, 50);
  EXPECT_EQ(SummaryLabels(), labels);
  EXPECT_TRUE(ChartPixels() == shown);

  // Released by the other program, the file displays.
  ClickFile("held.txt");
  EXPECT_EQ(S().recordCount, 20);
}

TEST_F(BadInputWinTest, MissingLogsFolderGivesAnEmptyListAndAUsableWindow) {
  std::filesystem::remove(NativePath(folder_.LogsFolder()));
  HWND g = Open();
  EXPECT_EQ(::SendMessageW(Item(File1), LB_GETCOUNT, 0, 0), 0);

  const auto seen = CatchMessage([&] { ClickButton(Command1); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->text, "select a file to view");
  SetCaption(Interval, "x");
  EXPECT_EQ(Caption(Interval), "10");
  ClickButton(Check4);
  EXPECT_TRUE(Ticked(g, Check4));
  const Pixels chart = ChartPixels();
  EXPECT_EQ(chart.Count(kChartGrey), chart.width * chart.height);
  EXPECT_FALSE(std::filesystem::exists(NativePath(folder_.LogsFolder())));

  ClickButton(Command2);
  EXPECT_FALSE(::IsWindowVisible(g)) << "Exit closes the viewer";
}

}  // namespace
}  // namespace tallyo::test
