#pragma once
// A viewer window on a temporary program folder, with lookups of its controls by name and
// a way to tell whether the chart has been redrawn.

#include <QImage>
#include <QLabel>
#include <QTest>
#include <memory>

#include "CheckBox.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "support/TempLogFolder.h"
#include "viewer/Graph.h"
#include "viewer/GuiTestSupport.h"

namespace tallyo::test {

inline constexpr Colour kMarker = Rgb(255, 0, 255);

class GraphFixture : public ::testing::Test {
 protected:
  Graph& Open() {
    graph_ = std::make_unique<Graph>(folder_.ProgramFolder());
    graph_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(graph_.get()));
    return *graph_;
  }

  const ViewerState& S() const { return graph_->State(); }
  QString Caption(const char* name) const { return Child<QLabel>(*graph_, name)->text(); }
  TextBox& Box(const char* name) const { return *Child<TextBox>(*graph_, name); }
  CheckBox& Check(const char* name) const { return *Child<CheckBox>(*graph_, name); }
  FileListBox& Files() const { return *Child<FileListBox>(*graph_, "File1"); }
  PictureBox& Plot() const { return *Child<PictureBox>(*graph_, "Plot"); }

  // A click on the file's entry in the list, as the user makes it.
  void ClickFile(const char* name) {
    FileListBox& list = Files();
    const auto found = list.findItems(QString::fromLatin1(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name;
    const QRect rect = list.visualItemRect(found.front());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
  }

  // Covers the chart with a colour no draw uses; a redraw clears it away.
  void Mark() {
    PictureBox& plot = Plot();
    plot.Box(0, 0, plot.ScaleWidth(), plot.ScaleHeight(), kMarker);
    plot.Flush();
    ASSERT_TRUE(Marked());
  }
  bool Marked() {
    const QImage picture = Plot().Picture();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2) == QColor(255, 0, 255);
  }

  void DisplayDay(const char* name, int records) {
    folder_.WriteLog(name, TestDay(records));
    Files().SetPath(Child<DirListBox>(*graph_, "Dir1")->Path());
    ClickFile(name);
    ASSERT_EQ(S().recordCount, records);
  }

  TempLogFolder folder_;
  std::unique_ptr<Graph> graph_;
};

}  // namespace tallyo::test
