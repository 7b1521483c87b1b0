// Each edition's toolkit, driven through the toolkit contract and as the user drives it
// (Drive.h): one test body for both, built into the Qt widget tests and into the Windows
// window tests. Setting a value from the program runs the control's handler at once,
// nested, and the value it already has runs nothing; the file list's rules; the message
// box; the lines and the picture box's pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CheckBox.h"
#include "DirListBox.h"
#include "Drive.h"
#include "FileListBox.h"
#include "Form.h"
#include "Label.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "Shown.h"
#include "TextBox.h"
#include "chart/DrawGraph.h"
#include "platform/Colours.h"
#include "platform/FormLayout.h"
#include "platform/PixelCanvas.h"
#include "platform/PlotPicture.h"
#include "support/TempLogFolder.h"

namespace tallyo::test {
namespace {

using K = ControlKind;

constexpr FormInfo kForm{"Toolkit", "Toolkit", 7000, 7200, kWindowGreen};
constexpr LayoutRow kLayout[] = {
    {K::kPictureBox, "Plot", "", 600, 300, 6000, 3000, kWindowFont, kSystemColour, kChartGrey},
    {K::kLabel, "Caption", "Grüße – 10 °C", 600, 3450, 3000, 300},
    {K::kTextBox, "Text", "Ünïcödé €", 3600, 3450, 1500, 300},
    {K::kLine, "Rule", "", 150, 150, 150, 3300},
    {K::kFileList, "Files", "*.txt", 600, 3900, 3000, 3000},
    {K::kCheckBox, "Check", "Tick", 3900, 3900, 1500, 300},
    {K::kDirList, "Dir", "", 3900, 4500, 2700, 1500},
};

// The toolkit-free renderer alone, at a given size.
class RasterPicture : public PlotPicture {
 public:
  RasterPicture(int width, int height) : PlotPicture(kChartGrey) { SetBoxSize(width, height, 1.0); }

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
    ShowAndWait(form_);
  }
  template <class T>
  T& Find(const char* name) {
    return *form_.Find<T>(name);
  }

  Form form_{nullptr, kForm};
};

TEST_F(ToolkitTest, TextBoxChangeHandlingRunsOnEveryChangeAndNestsWhenItSetsTheText) {
  TextBox& box = Find<TextBox>("Text");
  std::vector<std::string> seen;
  box.onChange = [&] {
    seen.push_back(box.Text());
    if (box.Text().empty()) box.SetText("10");
  };
  box.SetText("5");
  box.SetText("5");  // no change, no handling
  box.SetText("");
  TypeAtEnd(HandleOf(box), "7");
  EXPECT_EQ(seen, (std::vector<std::string>{"5", "", "10", "107"}));
  EXPECT_EQ(box.Text(), "107");
}

TEST_F(ToolkitTest, CheckBoxProgramTicksRunTheClickHandlingBeforeTheyReturn) {
  CheckBox& box = Find<CheckBox>("Check");
  std::vector<int> seen;
  box.onClick = [&] { seen.push_back(box.Value()); };
  box.SetValue(1);
  EXPECT_EQ(seen, std::vector<int>{1});
  box.SetValue(1);  // already ticked: no click
  box.SetValue(0);
  Click(HandleOf(box));
  EXPECT_EQ(seen, (std::vector<int>{1, 0, 1}));
}

TEST_F(ToolkitTest, DirListReportsEachChangeOfFolderOnce) {
  test::TempLogFolder folder;
  DirListBox& dir = Find<DirListBox>("Dir");
  int changes = 0;
  dir.onChange = [&] { ++changes; };
  const std::string logs = folder.LogsFolder();
  dir.SetPath(logs);
  dir.SetPath(logs);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dir.Path(), logs);
  const std::string missing = folder.LogPath("none");
  dir.SetPath(missing);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(dir.Path(), missing);
}

TEST_F(ToolkitTest, MessageBoxIsModalWithTheProgramsTitleOneOkAndNoIcon) {
  const auto seen =
      CatchMessage([&] { ShowMessage(&form_, std::string_view("No data for that date")); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->title, "Tallyo_viewer");
  EXPECT_EQ(seen->text, "No data for that date");
  EXPECT_EQ(seen->buttons, 1);
  EXPECT_TRUE(seen->hasOk);
  EXPECT_FALSE(seen->hasIcon);
  EXPECT_EQ(seen->owner, WindowId(form_));
  EXPECT_FALSE(MessageOpen());
  // Markup in a message is shown as it is.
  const auto plain = CatchMessage([&] { ShowMessage(&form_, std::string_view("<b>x</b>")); });
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->text, "<b>x</b>");
}

// The file list of the layout, its pattern the row's caption, on a folder of days and
// other names.
class FileListToolkitTest : public ToolkitTest {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "A.TXT", "c.Txt", "notes.log", "txt", ".hidden.txt"})
      folder_.WriteLog(name, "");
    std::filesystem::create_directory(test::NativePath(folder_.LogPath("folder.txt")));
    list_.onClick = [this](const std::string& name) { reported_.push_back(name); };
  }
  void ClickRow(int row) {
    const Spot at = EntrySpot(HandleOf(list_), row);
    PressAt(HandleOf(list_), at.x, at.y);
    ReleaseAt(HandleOf(list_), at.x, at.y);
  }

  test::TempLogFolder folder_;
  FileListBox& list_ = Find<FileListBox>("Files");
  std::vector<std::string> reported_;
};

TEST_F(FileListToolkitTest, ListsMatchingFilesByNameWithoutRegardToCase) {
  EXPECT_EQ(list_.Pattern(), "*.txt");
  list_.SetPath(folder_.LogsFolder());
  EXPECT_EQ(Entries(HandleOf(list_)), (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt"}));
  EXPECT_TRUE(reported_.empty());
  EXPECT_EQ(list_.FileName(), "");
  list_.SetPath(folder_.LogPath("missing"));
  EXPECT_TRUE(Entries(HandleOf(list_)).empty());
}

TEST_F(FileListToolkitTest, ClicksAndKeyboardMovesReportTheFileName) {
  list_.SetPath(folder_.LogsFolder());
  // Taking the focus alone chooses nothing.
  TakeFocus(HandleOf(list_));
  EXPECT_TRUE(reported_.empty());
  ClickRow(1);
  ClickRow(1);  // the chosen entry again
  PressArrow(HandleOf(list_), /*down=*/true);
  PressArrow(HandleOf(list_), /*down=*/false);
  ClickRow(0);
  EXPECT_EQ(reported_, (std::vector<std::string>{"b.txt", "b.txt", "c.Txt", "b.txt", "A.TXT"}));
  EXPECT_EQ(list_.FileName(), "A.TXT");
  // Pointing the list at a folder again chooses nothing.
  list_.SetPath(list_.Path());
  EXPECT_EQ(reported_.size(), 5);
  EXPECT_EQ(list_.FileName(), "");
}

TEST_F(FileListToolkitTest, AClickReportsWhenTheButtonIsReleased) {
  list_.SetPath(folder_.LogsFolder());
  const Spot row2 = EntrySpot(HandleOf(list_), 2);
  PressAt(HandleOf(list_), row2.x, row2.y);
  EXPECT_TRUE(reported_.empty());
  EXPECT_EQ(list_.FileName(), "c.Txt");
  ReleaseAt(HandleOf(list_), row2.x, row2.y);
  EXPECT_EQ(reported_, std::vector<std::string>{"c.Txt"});
  // A press on the empty space below the entries chooses nothing.
  const Spot below = BelowEntries(HandleOf(list_));
  PressAt(HandleOf(list_), below.x, below.y);
  ReleaseAt(HandleOf(list_), below.x, below.y);
  EXPECT_EQ(reported_.size(), 1);
}

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
}  // namespace tallyo::test
