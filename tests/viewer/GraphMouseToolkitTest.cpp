// The chart's mouse handling on the real window: the one zoom per display by a drag to
// the right, the red drag lines, and the readout of the record under the pointer; through
// the chart's handlers, and with the mouse.

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/Rounding.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

class GraphMouseTest : public GraphFixture {
 protected:
  static std::string ReadoutOf(int k) {
    auto text = [](double v) {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.15g", v);
      return std::string(buffer);
    };
    return text(TestRecord::Volts(k)) + " V|" + text(TestRecord::Amps(k)) + " A|" +
           text(TestRecord::Watts(k)) + " W|" + text(TestRecord::Rpm(k)) + " RPM|" +
           text(TestRecord::Speed(k)) + " ";
  }
};

TEST_F(GraphMouseTest, DragToTheRightZoomsOnceAndTheLinesVanishWithTheRedraw) {
  Open();
  DisplayDay("day.txt", 100);
  ASSERT_EQ(RedOnTopRow(), 0);

  Press(20.25f);
  EXPECT_EQ(S().mouseIsDown, 1);
  EXPECT_EQ(S().viewStart, 20.25);
  Move(40);
  Move(60.75f);
  EXPECT_GT(RedOnTopRow(), 100);
  Release(60.75f);

  EXPECT_EQ(S().mouseIsDown, 0);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_EQ(S().viewStart, 20.25);
  EXPECT_EQ(S().viewEnd, 60.75);
  EXPECT_FLOAT_EQ(Plot().ScaleWidth(), 40.5f);
  EXPECT_EQ(Caption("stime"), "00:03");
  EXPECT_EQ(Caption("ftime"), "00:10");
  EXPECT_EQ(RedOnTopRow(), 0);

  // A second drag while zoomed: only mouseIsDown follows, no line, no change.
  Mark();
  Press(5);
  EXPECT_EQ(S().mouseIsDown, 1);
  Move(30);
  Release(30);
  EXPECT_EQ(S().mouseIsDown, 0);
  EXPECT_EQ(S().viewStart, 20.25);
  EXPECT_EQ(S().viewEnd, 60.75);
  EXPECT_TRUE(Marked());
  EXPECT_EQ(RedOnTopRow(), 0);

  // The next display shows the whole day again and allows a new zoom.
  ClickFile("day.txt");
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(S().viewStart, 1);
  EXPECT_EQ(S().viewEnd, 100);
}

TEST_F(GraphMouseTest, DragToTheLeftLeavesThePressAndItsLines) {
  Open();
  DisplayDay("day.txt", 100);
  Press(50);
  Move(40);
  Move(30);
  Release(30);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(S().viewStart, 50);
  EXPECT_EQ(S().viewEnd, 100);
  EXPECT_GT(RedOnTopRow(), 50);

  Hover(5);
  EXPECT_EQ(Readout(), ReadoutOf(55));

  // The next redraw shows the view from the press on.
  Check("Check4").SetValue(1);
  EXPECT_EQ(RedOnTopRow(), 0);
  EXPECT_FLOAT_EQ(Plot().ScaleWidth(), 50.0f);
}

TEST_F(GraphMouseTest, PressAndReleaseAtOnePointDoNotZoom) {
  Open();
  DisplayDay("day.txt", 100);
  Mark();
  Press(33.5f);
  Release(33.5f);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_EQ(S().viewStart, 33.5);
  EXPECT_TRUE(Marked());
}

TEST_F(GraphMouseTest, ReadoutShowsTheRecordUnderThePointer) {
  Open();
  DisplayDay("day.txt", 100);
  Hover(9.8f);
  EXPECT_EQ(Readout(), ReadoutOf(10));
  EXPECT_EQ(Caption("vv"), "12.5 V");
  EXPECT_EQ(Caption("sv"), "0.5 ");
  Hover(0);
  EXPECT_EQ(Readout(), ReadoutOf(1));

  Press(20.25f);
  Release(60.75f);
  ASSERT_EQ(S().zoomState, 1);
  Hover(0.5f);
  EXPECT_EQ(Readout(), ReadoutOf(20));
  EXPECT_EQ(Caption("vv"), "15 V");

  // Beyond recordCount the series hold zeros.
  Hover(90);
  EXPECT_EQ(Readout(), "0 V|0 A|0 W|0 RPM|0 ");

  // A new display does not touch the readout.
  ClickFile("day.txt");
  EXPECT_EQ(Readout(), "0 V|0 A|0 W|0 RPM|0 ");
}

TEST_F(GraphMouseTest, ReadoutRoundsToTwoDecimalsHalfToEven) {
  Open();
  folder_.WriteLog("day.txt",
                   "<T>00:00:10</T><V>0.125</V><I>-0.504</I><W>0.375</W><R>1500</R><S>4.5</S>\r\n"
                   "<T>00:00:20</T><V>13</V>\r\n");
  Files().SetPath(Files().Path());
  ClickFile("day.txt");
  ASSERT_EQ(S().recordCount, 2);
  Hover(0);
  EXPECT_EQ(Readout(), "0.12 V|-0.5 A|0.38 W|1500 RPM|4.5 ");
  Hover(1);
  EXPECT_EQ(Readout(), "13 V|0 A|0 W|0 RPM|0 ");
}

TEST_F(GraphMouseTest, ReadoutOutsideTheSeriesLeavesTheLabelsAndStillDrawsTheDragLine) {
  Open();
  DisplayDay("day.txt", 100);
  Hover(9.8f);
  const std::string shown = Readout();
  // Left of the chart: the index is below 0.
  Hover(-5);
  EXPECT_EQ(Readout(), shown);
  // During a drag the press's x is the view's start; far to the right the index passes
  // the last entry of the series.
  Press(90);
  Move(20000);
  EXPECT_EQ(Readout(), shown);
  EXPECT_GT(RedOnTopRow(), 0);
  Move(9910);  // 9910 + 90: the last entry of the series
  EXPECT_EQ(Readout(), "0 V|0 A|0 W|0 RPM|0 ");
  Release(20000);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_EQ(S().viewEnd, 20000);
}

TEST_F(GraphMouseTest, WithFewerThanTwoRecordsOnlyTheButtonStateChanges) {
  for (int records : {0, 1}) {
    SCOPED_TRACE(records);
    Open();
    if (records) DisplayDay("day.txt", records);
    Mark();
    Press(10);
    EXPECT_EQ(S().mouseIsDown, 1);
    Move(30);
    Hover(2);
    EXPECT_EQ(Caption("vv"), "0");
    Release(30);
    EXPECT_EQ(S().mouseIsDown, 0);
    EXPECT_EQ(S().zoomState, 0);
    EXPECT_EQ(S().viewStart, records ? 1 : 0);
    EXPECT_TRUE(Marked());
  }
}

TEST_F(GraphMouseTest, RealMouseDragOnTheChartZooms) {
  Open();
  DisplayDay("day.txt", 100);
  const Handle plot = Item("Plot");
  const float from = Plot().ToUserX(150);
  const float to = Plot().ToUserX(450);
  PressAt(plot, 150, 100);
  EXPECT_EQ(S().mouseIsDown, 1);
  DragTo(plot, 300, 100);
  EXPECT_GT(RedOnTopRow(), 100);
  ReleaseAt(plot, 450, 100);
  EXPECT_EQ(S().mouseIsDown, 0);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_FLOAT_EQ(static_cast<float>(S().viewStart), from);
  EXPECT_FLOAT_EQ(static_cast<float>(S().viewEnd), to);
}

TEST_F(GraphMouseTest, RealMouseDragToTheLeftDoesNotZoom) {
  Open();
  DisplayDay("day.txt", 100);
  const Handle plot = Item("Plot");
  PressAt(plot, 450, 100, /*right=*/true);
  ReleaseAt(plot, 150, 100, /*right=*/true);
  EXPECT_EQ(S().zoomState, 0);
  EXPECT_FLOAT_EQ(static_cast<float>(S().viewStart), Plot().ToUserX(450));
}

// The pointer over the chart's pixels shows the record under it.
TEST_F(GraphMouseTest, PointerShowsTheRecordUnderIt) {
  Open();
  DisplayDay("day.txt", 100);
  PictureBox& box = Plot();
  for (const int px : {0, 37, 200, box.PictureWidth() - 1}) {
    HoverChart(px, 10);
    const double k = RoundHalfEven(std::floor(static_cast<double>(box.ToUserX(px))) + 1);
    EXPECT_EQ(Readout(), ReadoutOf(static_cast<int>(k))) << px;
  }
}

}  // namespace
}  // namespace tallyo::test
