// Each edition's toolkit, driven only through the toolkit contract: one test body for
// both, built into the Qt widget tests and into the Windows window tests.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "Shown.h"
#include "TextBox.h"
#include "chart/DrawGraph.h"
#include "platform/Colours.h"
#include "platform/FormLayout.h"
#include "platform/PixelCanvas.h"
#include "platform/PlotPicture.h"

namespace tallyo {
namespace {

using K = ControlKind;

constexpr FormInfo kForm{"Toolkit", "Toolkit", 7000, 4200, kWindowGreen};
constexpr LayoutRow kLayout[] = {
    {K::kPictureBox, "Plot", "", 600, 300, 6000, 3000, kWindowFont, kSystemColour, kChartGrey},
    {K::kLabel, "Caption", "Grüße – 10 °C", 600, 3450, 3000, 300},
    {K::kTextBox, "Text", "Ünïcödé €", 3600, 3450, 1500, 300},
    {K::kLine, "Rule", "", 150, 150, 150, 3300},
};

// The toolkit-free renderer alone, at a given size.
class RasterPicture : public PlotPicture {
 public:
  RasterPicture(int width, int height) : PlotPicture(kChartGrey) {
    SetBoxSize(width, height, 1.0, false);
  }

 protected:
  void OnPictureChanged() override {}
};

// A fixed chart: curves of every series, amps and watts across 0 (zero lines), M bands,
// then a zoomed view of it and a drag line over that.
void DrawFixedChart(DrawSurface& plot) {
  auto records = std::make_unique<DayRecords>();
  DayRecords& s = *records;
  ChartView view;
  for (int k = 1; k <= 300; ++k) {
    s.voltsSeries[k] = 12 + std::sin(k / 9.0);
    s.ampsSeries[k] = 5 * std::sin(k / 23.0) + 1;
    s.wattsSeries[k] = s.voltsSeries[k] * s.ampsSeries[k];
    s.rpmSeries[k] = 400 + 300 * std::cos(k / 17.0);
    s.speedSeries[k] = 8 + 6 * std::sin(k / 5.0);
    s.mSeries[k] = k % 7 == 0 ? 1 : 0;
  }
  s.recordCount = 300;
  view.logInterval = 10;
  view.showVolts = view.showAmps = view.showWatts = view.showRpm = view.showSpeed = 1;
  view.viewStart = 1;
  view.viewEnd = 300;
  DrawGraph(s, view, plot);
  view.viewStart = 20.25;
  view.viewEnd = 260.75;
  DrawGraph(s, view, plot);
  plot.Line(static_cast<float>(view.viewStart), 0, 120.5F, 0, kRed);
  plot.Flush();
}

class ToolkitTest : public ::testing::Test {
 protected:
  ToolkitTest() {
    BuildControls(form_, kLayout);
    form_.Show();
  }
  Form form_{nullptr, kForm};
};

TEST_F(ToolkitTest, CaptionsAndTextsAreUtf8) {
  EXPECT_EQ(form_.Find<Label>("Caption")->Caption(), "Grüße – 10 °C");
  EXPECT_EQ(form_.Find<TextBox>("Text")->Text(), "Ünïcödé €");
  form_.Find<Label>("Caption")->SetCaption("Ä 5 Wh");
  EXPECT_EQ(form_.Find<Label>("Caption")->Caption(), "Ä 5 Wh");
}

TEST_F(ToolkitTest, FormLinesAreInTheWindowTextColour) {
  const test::ShownPicture shown = test::Shown(form_);
  EXPECT_EQ(shown.At(10, 100), PixelOf(test::WindowTextColour()));
  EXPECT_EQ(shown.At(11, 100), PixelOf(kWindowGreen));
}

// The picture box shows the very pixels the toolkit-free renderer makes of the same calls.
TEST_F(ToolkitTest, PictureBoxShowsTheRenderersPixels) {
  PictureBox& plot = *form_.Find<PictureBox>("Plot");
  DrawFixedChart(plot);
  RasterPicture reference(plot.PictureWidth(), plot.PictureHeight());
  DrawFixedChart(reference);
  const std::uint32_t* want = reference.Pixels();
  const test::ShownPicture shown = test::Shown(plot);
  ASSERT_EQ(shown.width, reference.PictureWidth());
  ASSERT_EQ(shown.height, reference.PictureHeight());
  int differ = 0, drawn = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x) {
      const std::uint32_t pixel = want[static_cast<std::size_t>(y) * shown.width + x];
      differ += shown.At(x, y) != pixel;
      drawn += pixel != PixelOf(kChartGrey);
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(drawn, shown.width);
}

}  // namespace
}  // namespace tallyo
