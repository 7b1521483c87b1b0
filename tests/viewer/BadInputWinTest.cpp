// Bad input on Windows through the real window: a day file that another program holds
// open without sharing. The plain Windows file tests prove the message and that no byte
// changes; this proves what the window does with it.

#include <string>

#include "log/LoadLog.h"
#include "support/LoggerFile.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

using BadInputWinTest = GraphFixture;

TEST_F(BadInputWinTest, FileLockedByAnotherProgramIsNamedInTheBoxAndLeftAsItWas) {
  folder_.WriteLog("earlier.txt", TestDay(50));
  folder_.WriteLog("held.txt", TestDay(20));
  Open();
  ClickFile("earlier.txt");
  ASSERT_EQ(S().recordCount, 50);
  const std::string labels = SummaryLabels();
  const ShownPicture shown = Grab(Item("Plot"));

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
  EXPECT_EQ(seen->owner, WindowId(*graph_));
  const std::string path = LogFilePath(folder_.ProgramFolder(), "held.txt");
  EXPECT_NE(seen->text.find("\"" + path + "\""), std::string::npos) << seen->text;
  EXPECT_NE(seen->text.find(SystemMessage(ERROR_SHARING_VIOLATION)), std::string::npos)
      << seen->text;
  EXPECT_EQ(folder_.ReadLog("held.txt"), TestDay(20));
  // The earlier day stays on the chart and in the labels.
  EXPECT_EQ(S().recordCount, 50);
  EXPECT_EQ(SummaryLabels(), labels);
  EXPECT_TRUE(Grab(Item("Plot")) == shown);

  // Released by the other program, the file displays.
  ClickFile("held.txt");
  EXPECT_EQ(S().recordCount, 20);
}

}  // namespace
}  // namespace tallyo::test
