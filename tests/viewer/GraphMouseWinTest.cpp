// The chart's mouse handling through the mouse messages of its window, in client pixels:
// the one zoom per display with the mouse captured during the drag, and the readout of
// the record under the pointer.

#include <cmath>
#include <string>

#include "viewer/GraphWinFixture.h"

namespace tallyo::test {
namespace {

constexpr std::uint32_t kRed = Rgb(255, 0, 0);

class GraphMouseWinTest : public GraphWinFixture {
 protected:
  void Press(int px) { ::SendMessageW(Chart(), WM_LBUTTONDOWN, MK_LBUTTON, Point(px, 100)); }
  void Drag(int px) { ::SendMessageW(Chart(), WM_MOUSEMOVE, MK_LBUTTON, Point(px, 100)); }
  void Hover(int px) { ::SendMessageW(Chart(), WM_MOUSEMOVE, 0, Point(px, 100)); }
  void Release(int px) { ::SendMessageW(Chart(), WM_LBUTTONUP, 0, Point(px, 100)); }

  // The chart's x at a pixel of the full view of 100 records: 99 units over the box.
  double FullViewX(int px) const { return px * 99.0 / ChartPixels().width; }

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

TEST_F(GraphMouseWinTest, DragZoomsOnceAndASecondDragDoesNothing) {
  DisplayDay("day.txt", 100);
  ASSERT_EQ(ChartPixels().CountInRow(0, kRed), 0);
  const std::string fullDay = SummaryLabels();

  Press(150);
  EXPECT_EQ(::GetCapture(), Chart()) << "the mouse is captured while the button is held";
  Drag(300);
  // The drag line runs along the top edge from the press to the pointer, and stays
  // through a repaint.
  EXPECT_GT(ChartPixels().CountInRow(0, kRed), 140);
  ::RedrawWindow(Chart(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(ChartPixels().CountInRow(0, kRed), 140);
  Release(450);
  EXPECT_NE(::GetCapture(), Chart());

  EXPECT_EQ(S().zoomState, 1);
  EXPECT_NEAR(S().viewStart, FullViewX(150), 1e-3);
  EXPECT_NEAR(S().viewEnd, FullViewX(450), 1e-3);
  const std::string zoomed = SummaryLabels();
  EXPECT_NE(zoomed, fullDay);
  EXPECT_NE(Caption(stime), "00:00");
  EXPECT_NE(Caption(ftime), "00:16");
  const Pixels zoomedChart = ChartPixels();
  EXPECT_EQ(zoomedChart.CountInRow(0, kRed), 0) << "the redraw clears the drag line";

  // A second drag while zoomed draws nothing and changes nothing.
  Press(100);
  EXPECT_EQ(::GetCapture(), Chart());
  Drag(400);
  Drag(700);
  Release(700);
  EXPECT_EQ(S().zoomState, 1);
  EXPECT_NEAR(S().viewStart, FullViewX(150), 1e-3);
  EXPECT_EQ(SummaryLabels(), zoomed);
  EXPECT_TRUE(ChartPixels() == zoomedChart);
}

TEST_F(GraphMouseWinTest, ReadoutShowsTheRecordUnderThePointer) {
  DisplayDay("day.txt", 100);
  const Pixels shown = ChartPixels();
  const std::string labels = SummaryLabels();

  Hover(0);
  EXPECT_EQ(Readout(), ReadoutOf(1));
  // A pixel whose chart x lies in [9, 10): record 10.
  const int px = static_cast<int>(std::ceil(9.25 * shown.width / 99.0));
  ASSERT_GE(FullViewX(px), 9.0);
  ASSERT_LT(FullViewX(px), 10.0);
  Hover(px);
  EXPECT_EQ(Readout(), ReadoutOf(10));
  EXPECT_EQ(Caption(vv), "12.5 V");
  EXPECT_EQ(Caption(sv), "0.5 ");

  // A move with no button held draws nothing and leaves the summary.
  EXPECT_TRUE(ChartPixels() == shown);
  EXPECT_EQ(SummaryLabels(), labels);
}

}  // namespace
}  // namespace tallyo::test
