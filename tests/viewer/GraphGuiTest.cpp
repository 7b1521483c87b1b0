// The viewer window driven through its real Qt controls, offscreen: file names that are
// no valid UTF-8, which only this edition meets (Windows names are UTF-16).

#include <filesystem>
#include <string>

#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

using GraphGuiTest = GraphFixture;

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

}  // namespace
}  // namespace tallyo::test
