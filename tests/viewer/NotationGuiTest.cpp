// The viewer window in the user's notation: the readout and the labels written in it, the
// Interval box read in it, and the day file's points read as ever.

#include <QLabel>

#include "support/Notations.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

struct NotationCase {
  const char* name;
  NumberFormat format;
  std::string grouped;    // 1234.5 with its grouping, typed into the Interval box
  std::int16_t interval;  // what the box reads from it
  const char* afterDraw;  // the box after the next redraw
};

class GraphNotationTest : public GraphFixture, public ::testing::WithParamInterface<NotationCase> {
 protected:
  void OpenIn(const NumberFormat& format) {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder(), format);
    graph_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(graph_.get()));
  }
  std::string Text(const char* label) const { return Caption(label).toStdString(); }
};

TEST_P(GraphNotationTest, WritesAndReadsNumbersInIt) {
  const NotationCase& c = GetParam();
  const NumberFormat& f = c.format;
  OpenIn(f);
  EXPECT_EQ(S().numberFormat, f);
  // The day file's values have points in every notation: 10.25 V and so on.
  DisplayDay("day.txt", 100);
  EXPECT_EQ(Text("VMax1"), Spelled("35.00 V", f));
  EXPECT_EQ(Text("VMin1"), Spelled("0.00 V", f));
  EXPECT_EQ(Text("AMax1"), Spelled("10.0 A", f));
  EXPECT_EQ(Text("SMax1"), "5 ");
  EXPECT_EQ(Text("ftime"), "00:16");
  Plot().onMouseMove(0, 0, 0.5f, 0);  // record 1
  EXPECT_EQ(Text("vv") + "|" + Text("av") + "|" + Text("wv") + "|" + Text("rv") + "|" + Text("sv"),
            Spelled("10.25 V|0.1 A|3 W|7 RPM|0.05 ", f));

  TextBox& interval = Box("Interval");
  interval.SetText(Spelled("12.5", f));
  EXPECT_EQ(interval.Text(), Spelled("12.5", f));
  EXPECT_EQ(S().logInterval, 12);
  interval.SetText(c.grouped);
  EXPECT_EQ(S().logInterval, c.interval);
  Check("Check4").SetValue(1);  // a redraw
  EXPECT_EQ(interval.Text(), c.afterDraw);
  EXPECT_EQ(S().logInterval, c.interval == 10 ? 10 : 120);
}

INSTANTIATE_TEST_SUITE_P(
    Notations, GraphNotationTest,
    ::testing::Values(
        // The C locale reads no grouping: the text is no number and becomes "10" at once.
        NotationCase{"C", PlainNotation(), "1,234.5", 10, "10"},
        NotationCase{"English", EnglishNotation(), "1,234.5", 1234, "120"},
        NotationCase{"German", GermanNotation(), "1.234,5", 1234, "120"},
        NotationCase{"French", FrenchNotation(),
                     "1\xE2\x80\xAF"
                     "234,5",
                     1234, "120"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tallyo::test
