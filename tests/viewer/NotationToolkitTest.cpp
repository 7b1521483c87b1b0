// The viewer window in the user's notation: the readout and the labels written in it, the
// Interval box read in it, and the day file's points read as ever.

#include <string>

#include "support/Notations.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

struct NotationCase {
  const char* name;
  NumberFormat format;
  std::string grouped;    // 1234.5 with its grouping, set into the Interval box
  std::int16_t interval;  // what the box reads from it
  const char* afterDraw;  // the box after the next redraw
};

class GraphNotationTest : public GraphFixture,
                          public ::testing::WithParamInterface<NotationCase> {};

TEST_P(GraphNotationTest, WritesAndReadsNumbersInIt) {
  const NotationCase& c = GetParam();
  const NumberFormat& f = c.format;
  // The day file's values have points in every notation: 10.25 V and so on.
  folder_.WriteLog("day.txt", TestDay(100));
  OpenIn(f);
  EXPECT_EQ(S().numberFormat, f);
  ClickFile("day.txt");
  ASSERT_EQ(S().recordCount, 100);
  EXPECT_EQ(Caption("VMax1"), Spelled("35.00 V", f));
  EXPECT_EQ(Caption("VMin1"), Spelled("0.00 V", f));
  EXPECT_EQ(Caption("AMax1"), Spelled("10.0 A", f));
  EXPECT_EQ(Caption("SMax1"), "5 ");
  EXPECT_EQ(Caption("ftime"), "00:16");
  HoverChart(0, 10);  // record 1
  EXPECT_EQ(Caption("vv") + "|" + Caption("av") + "|" + Caption("wv") + "|" + Caption("rv") + "|" +
                Caption("sv"),
            Spelled("10.25 V|0.1 A|3 W|7 RPM|0.05 ", f));

  SetCaption("Interval", Spelled("12.5", f));
  EXPECT_EQ(Caption("Interval"), Spelled("12.5", f));
  EXPECT_EQ(S().logInterval, 12);
  SetCaption("Interval", c.grouped);
  EXPECT_EQ(S().logInterval, c.interval);
  Click("Check4");  // a redraw
  EXPECT_EQ(Caption("Interval"), c.afterDraw);
  EXPECT_EQ(S().logInterval, c.interval == 10 ? 10 : 120);
}

INSTANTIATE_TEST_SUITE_P(Notations, GraphNotationTest,
                         ::testing::Values(
                             // The plain notation (the C locale's) reads no grouping: the text is
                             // no number and becomes "10" at once.
                             NotationCase{"Plain", PlainNotation(), "1,234.5", 10, "10"},
                             NotationCase{"English", EnglishNotation(), "1,234.5", 1234, "120"},
                             NotationCase{"German", GermanNotation(), "1.234,5", 1234, "120"},
                             NotationCase{"French", FrenchNotation(),
                                          "1\xE2\x80\xAF"
                                          "234,5",
                                          1234, "120"},
                             NotationCase{"FrenchWide", FrenchWideNotation(),
                                          "1\xC2\xA0"
                                          "234,5",
                                          1234, "120"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tallyo::test
