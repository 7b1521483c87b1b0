// The Qt controls the windows are built from: twips to pixels, check boxes and labels as
// they show, fonts, the icon and the form's lines.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ChartIcon.h"
#include "CheckBox.h"
#include "Fonts.h"
#include "Form.h"
#include "Label.h"
#include "QtLayout.h"
#include "support/TempLogFolder.h"

namespace tallyo::test {
namespace {

TEST(TwipsGuiTest, FifteenTwipsMakeALogicalPixelRoundedToTheNearest) {
  const std::pair<int, int> cases[] = {{0, 0},      {7, 0},       {8, 1},     {15, 1},
                                       {45, 3},     {855, 57},    {1035, 69}, {195, 13},
                                       {4110, 274}, {14865, 991}, {-8, -1},   {-7, 0}};
  for (auto [twips, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips), pixels) << twips;
  // Each edge is rounded on its own, so touching controls still touch.
  EXPECT_EQ(TwipsRect(1035, 855, 105, 240), QRect(69, 57, 7, 16));
  EXPECT_EQ(TwipsRect(1200, 810, 375, 285).left(), TwipsRect(720, 810, 480, 285).right() + 1);
}

TEST(CheckBoxGuiTest, FillsItsRectangleWithItsOwnColour) {
  CheckBox box;
  box.setText("Volts");
  box.resize(60, 25);
  box.SetColours(Qt::white, QColor(255, 0, 0));
  const QImage shot = box.grab().toImage();
  EXPECT_EQ(shot.pixelColor(58, 2), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(58, 23), QColor(255, 0, 0));
}

TEST(CheckBoxGuiTest, ALongCaptionBreaksOnlyWhenTheBoxHoldsTwoLines) {
  CheckBox box;
  box.setFont(LayoutFont({"MS Sans Serif", 8.25}));
  box.setText("Wind Speed");
  box.SetColours(Qt::black, Qt::white);
  auto inkRows = [&](QSize size) {
    box.resize(size);
    const QImage shot = box.grab().toImage();
    int rows = 0;
    for (int y = 0; y < shot.height(); ++y) {
      bool ink = false;
      for (int x = 24; x < shot.width(); ++x) ink |= shot.pixelColor(x, y).lightness() < 128;
      rows += ink;
    }
    return rows;
  };
  const int oneLine = inkRows(QSize(120, 25));
  const int twoLines = inkRows(QSize(52, 25));
  EXPECT_GT(oneLine, 4);
  EXPECT_GT(twoLines, oneLine + 4);
}

TEST(LabelGuiTest, ShowsOnlyItsTextOverTheWindow) {
  QWidget window;
  window.resize(100, 30);
  QPalette pal = window.palette();
  pal.setColor(QPalette::Window, QColor(0, 192, 0));
  window.setPalette(pal);
  window.setAutoFillBackground(true);
  auto* label = new Label(&window);
  label->setGeometry(0, 0, 100, 30);
  label->SetTextColour(Qt::white);
  label->SetAlignment(Qt::AlignRight);
  label->SetCaption("12.5 V");
  EXPECT_EQ(label->Caption(), "12.5 V");
  EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignTop);
  const QImage shot = window.grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 28), QColor(0, 192, 0));
  bool white = false;
  for (int x = 50; x < 100; ++x)
    for (int y = 0; y < 20; ++y) white |= shot.pixelColor(x, y) == QColor(255, 255, 255);
  EXPECT_TRUE(white);
}

TEST(FontsGuiTest, LayoutFacesMapToInstalledFacesKeepingSizeAndWeight) {
  struct Case {
    const char* face;
    const char* installed;
  };
  for (const Case c : {Case{"MS Sans Serif", "Liberation Sans"},
                       Case{"Small Fonts", "Liberation Sans"}, Case{"Palatino Linotype", "P052"}}) {
    const QFont font = LayoutFont({c.face, 6.75, true, true});
    EXPECT_EQ(QFont::substitute(c.face).toLower(), QString(c.installed).toLower());
    EXPECT_EQ(font.family(), c.face);
    EXPECT_EQ(font.pointSizeF(), 6.75);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    const QFontInfo info(font);
    EXPECT_EQ(info.family().section(" [", 0, 0), c.installed);
    EXPECT_TRUE(info.bold());
    EXPECT_TRUE(info.italic());
  }
}

// The program's fonts folder (here the build's, which the test main adds as the program adds
// its own at start) holds the very files the layouts' fonts are drawn with, also where the
// system has other versions of the same families: a face's header table, with its
// revision and checksum, tells one file from another.
TEST(FontsGuiTest, TheLayoutsAreDrawnWithTheFacesOfTheFontsFolder) {
  const QDir shipped(QStringLiteral(TALLYO_FONTS_FOLDER));
  struct Case {
    FontChoice font;
    const char* file;
  };
  const Case cases[] = {
      {{"MS Sans Serif", 8.25}, "LiberationSans-Regular.ttf"},
      {{"MS Sans Serif", 13.5, true}, "LiberationSans-Bold.ttf"},
      {{"Small Fonts", 6.75, true}, "LiberationSans-Bold.ttf"},
      {{"Palatino Linotype", 18, true, true}, "P052-BoldItalic.otf"},
  };
  for (const Case& c : cases) {
    const QByteArray head = QRawFont(shipped.filePath(c.file), 12).fontTable("head");
    ASSERT_FALSE(head.isEmpty()) << c.file;
    EXPECT_EQ(QRawFont::fromFont(LayoutFont(c.font)).fontTable("head"), head)
        << c.font.face << " " << c.font.points << " " << c.file;
  }
}

// Only files that are fonts are added; a missing folder adds nothing.
TEST(FontsGuiTest, AFontFolderAddsTheFamiliesOfItsFonts) {
  const std::filesystem::path shipped(TALLYO_FONTS_FOLDER);
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::filesystem::path>> files;  // name, copied from
    QStringList families;
  };
  const std::filesystem::path notAFont = shipped / "README";
  const Case cases[] = {
      {"empty", {}, {}},
      {"faces and a text",
       {{"b.ttf", shipped / "LiberationSans-Bold.ttf"},
        {"a.otf", shipped / "P052-BoldItalic.otf"},
        {"README", notAFont}},
       {"P052", "Liberation Sans"}},
      {"a text named like a font", {{"broken.ttf", notAFont}}, {}},
  };
  for (const Case& c : cases) {
    TempLogFolder folder(false);
    for (const auto& [name, from] : c.files)
      std::filesystem::copy_file(from, std::filesystem::path(folder.ProgramFolder()) / name);
    EXPECT_EQ(AddFontFolder(folder.ProgramFolder()), c.families) << c.name;
  }
  TempLogFolder folder(false);
  EXPECT_EQ(AddFontFolder(folder.ProgramFolder() + "/fonts"), QStringList());
}

TEST(ChartIconGuiTest, APictureInBothSizes) {
  for (int size : {32, 16}) {
    const QImage image = ChartIconImage(size);
    EXPECT_EQ(image.size(), QSize(size, size));
    std::set<QRgb> colours;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) colours.insert(image.pixel(x, y));
    EXPECT_GE(colours.size(), 5u) << size;
    EXPECT_LE(colours.size(), 16u) << size;
  }
  const QIcon icon = ChartIcon();
  EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST(FormGuiTest, FixedSizeBackgroundAndBlackLinesUnderItsControls) {
  Form form(nullptr, FormInfo{"Form", "", 1500, 750, Rgb(0, 192, 0)});
  EXPECT_TRUE(form.isWindow());
  EXPECT_EQ(form.size(), QSize(100, 50));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  form.AddLine({ControlKind::kLine, "Line1", "", 0, 300, 1485, 300});
  form.AddLine({ControlKind::kLine, "Line2", "", 750, 0, 750, 1500});
  auto* label = new Label(&form);
  label->setGeometry(0, 0, 40, 40);
  label->SetCaption("");
  const QImage shot = form.grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 20), QColor(0, 0, 0));   // under the empty label
  EXPECT_EQ(shot.pixelColor(99, 20), QColor(0, 0, 0));  // both end points drawn
  EXPECT_EQ(shot.pixelColor(50, 49), QColor(0, 0, 0));  // cut at the bottom edge
  EXPECT_EQ(shot.pixelColor(20, 21), QColor(0, 192, 0));
  EXPECT_EQ(shot.pixelColor(51, 30), QColor(0, 192, 0));
}

// Form lines take the system's window-text colour, whatever it is.
TEST(FormGuiTest, LinesAreInTheSystemsWindowTextColour) {
  const QPalette saved = QApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::WindowText, QColor(10, 20, 200));
  QApplication::setPalette(palette);
  Form form(nullptr, FormInfo{"Lines", "", 1500, 1500, Rgb(0, 192, 0)});
  form.AddLine({ControlKind::kLine, "Line1", "", 150, 150, 150, 1200});
  const QImage shot = form.grab().toImage();
  QApplication::setPalette(saved);
  EXPECT_EQ(shot.pixelColor(10, 40), QColor(10, 20, 200));
}

}  // namespace
}  // namespace tallyo::test
