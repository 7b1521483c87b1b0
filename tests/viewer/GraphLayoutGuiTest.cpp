// The viewer window as built from its layout: every control by name with its kind,
// rectangle, font and colours, the stacking of controls, and the focus order.

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <set>

#include "Form.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

enum class Kind { kLabel, kTextBox, kButton, kCheckBox, kFileList, kDirList, kPicture };

struct Row {
  const char* name;
  Kind kind;
  const char* caption;
  int left, top, width, height;  // twips
  double points;
  bool bold;
};

// Transcribed from the viewer's layout, top of the stacking order first; lines apart.
const Row kRows[] = {
    {"Interval", Kind::kTextBox, "10", 1920, 5160, 495, 420, 12, false},
    {"File1", Kind::kFileList, "", 120, 1560, 3375, 3390, 12, false},
    {"Dir1", Kind::kDirList, "", 240, 1680, 3255, 420, 12, false},
    {"Check6", Kind::kCheckBox, "Ref V to 0v", 960, 6000, 1155, 240, 8.25, false},
    {"Check5", Kind::kCheckBox, "Wind Speed", 12240, 5520, 780, 375, 8.25, false},
    {"Check4", Kind::kCheckBox, "RPM", 9480, 5520, 780, 375, 8.25, false},
    {"Check3", Kind::kCheckBox, "Watts", 6600, 5520, 780, 375, 8.25, false},
    {"Check2", Kind::kCheckBox, "Amps", 3960, 5520, 780, 375, 8.25, false},
    {"Check1", Kind::kCheckBox, "Volts", 960, 5640, 900, 375, 8.25, false},
    {"Plot", Kind::kPicture, "", 3600, 270, 11235, 5235, 8.25, false},
    {"Command2", Kind::kButton, "Exit", 1680, 0, 1890, 375, 8.25, false},
    {"Time1h", Kind::kTextBox, "00", 720, 810, 375, 285, 8.25, false},
    {"Time2h", Kind::kTextBox, "23", 720, 1125, 375, 285, 8.25, false},
    {"Command1", Kind::kButton, "DISPLAY", 1680, 840, 1860, 615, 18, false},
    {"Time2m", Kind::kTextBox, "59", 1200, 1125, 375, 285, 8.25, false},
    {"Time1m", Kind::kTextBox, "00", 1200, 810, 375, 285, 8.25, false},
    {"Label10", Kind::kLabel, "secs", 2400, 5280, 495, 255, 12, false},
    {"Label9", Kind::kLabel, "Log Interval", 480, 5280, 1335, 375, 12, false},
    {"watts", Kind::kLabel, "Wh", 720, 6240, 1335, 375, 13.5, false},
    {"text1", Kind::kLabel, "", 720, 480, 2775, 255, 12, false},
    {"Label7", Kind::kLabel, "Time", 8760, 0, 735, 255, 12, true},
    {"sv", Kind::kLabel, "0", 12960, 5640, 1335, 315, 12, true},
    {"SMax1", Kind::kLabel, "0", 13080, 6000, 1245, 240, 12, true},
    {"SMin1", Kind::kLabel, "0", 13080, 6360, 1215, 240, 12, true},
    {"rv", Kind::kLabel, "0", 10320, 5640, 1455, 315, 12, true},
    {"vt", Kind::kLabel, "", 8160, 0, 975, 315, 8.25, false},
    {"wv", Kind::kLabel, "0", 7560, 5640, 1455, 315, 12, true},
    {"av", Kind::kLabel, "0", 4680, 5640, 1455, 315, 12, true},
    {"vv", Kind::kLabel, "0", 2040, 5640, 1335, 315, 12, true},
    {"ftime", Kind::kLabel, "Finish", 13800, 45, 870, 240, 8.25, false},
    {"stime", Kind::kLabel, "Start", 3720, 45, 1005, 285, 8.25, false},
    {"RMin1", Kind::kLabel, "0", 10440, 6360, 1320, 240, 12, true},
    {"RMax1", Kind::kLabel, "0", 10560, 6000, 1245, 240, 12, true},
    {"WMin1", Kind::kLabel, "0", 7680, 6360, 1320, 315, 12, true},
    {"WMax1", Kind::kLabel, "0", 7680, 6000, 1365, 240, 12, true},
    {"AMin1", Kind::kLabel, "0", 4800, 6360, 1275, 315, 12, true},
    {"AMax1", Kind::kLabel, "0", 4800, 6000, 1290, 240, 12, true},
    {"VMin1", Kind::kLabel, "0", 2040, 6360, 1305, 315, 12, true},
    {"VMax1", Kind::kLabel, "0", 2040, 6000, 1335, 240, 12, true},
    {"Label3", Kind::kLabel, "To", 240, 1125, 330, 285, 8.25, false},
    {"Label2", Kind::kLabel, "From", 240, 855, 420, 240, 8.25, false},
    {"Label5", Kind::kLabel, ":", 1035, 1170, 105, 240, 8.25, false},
    {"Label4", Kind::kLabel, ":", 1035, 855, 105, 240, 8.25, false},
    {"Label1", Kind::kLabel, "File", 120, 495, 375, 255, 8.25, false},
    {"Label6", Kind::kLabel, ":", 1350, 1215, 135, 195, 8.25, false},
    {"Label8", Kind::kLabel, ":", 1350, 855, 135, 255, 8.25, false},
    {"Label15", Kind::kLabel, "Log History", 45, 45, 1680, 375, 13.5, false},
};

QString TextOf(const QWidget& w) {
  if (auto* label = qobject_cast<const QLabel*>(&w)) return label->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(&w)) return edit->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&w)) return button->text();
  return {};
}

bool IsKind(const QWidget& w, Kind kind) {
  switch (kind) {
    case Kind::kLabel:
      return qobject_cast<const QLabel*>(&w);
    case Kind::kTextBox:
      return qobject_cast<const QLineEdit*>(&w);
    case Kind::kButton:
      return qobject_cast<const QPushButton*>(&w);
    case Kind::kCheckBox:
      return qobject_cast<const QCheckBox*>(&w);
    case Kind::kFileList:
      return qobject_cast<const FileListBox*>(&w);
    case Kind::kDirList:
      return qobject_cast<const DirListBox*>(&w);
    case Kind::kPicture:
      return qobject_cast<const PictureBox*>(&w);
  }
  return false;
}

int Px(int twips) { return (twips + 7) / 15; }

using GraphLayoutTest = GraphFixture;

TEST_F(GraphLayoutTest, EveryControlHasItsNameKindCaptionRectangleAndFont) {
  Graph& g = Open();
  std::set<QString> names;
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    QWidget* w = Child(g, row.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(names.insert(w->objectName()).second);
    EXPECT_TRUE(IsKind(*w, row.kind));
    EXPECT_EQ(TextOf(*w), QString::fromLatin1(row.caption));
    EXPECT_EQ(w->geometry(),
              QRect(Px(row.left), Px(row.top), Px(row.left + row.width) - Px(row.left),
                    Px(row.top + row.height) - Px(row.top)));
    EXPECT_EQ(w->font().family(), "MS Sans Serif");
    EXPECT_EQ(w->font().pointSizeF(), row.points);
    EXPECT_EQ(w->font().bold(), row.bold);
    EXPECT_FALSE(w->font().italic());
    EXPECT_EQ(QFontInfo(w->font()).family(), "Liberation Sans");
    EXPECT_TRUE(w->isVisibleTo(&g));
    EXPECT_TRUE(w->isEnabled());
  }
  // Nothing else is a direct control of the window.
  int controls = 0;
  for (QObject* child : g.children())
    if (child->isWidgetType()) ++controls;
  EXPECT_EQ(controls, static_cast<int>(std::size(kRows)));

  ASSERT_EQ(g.Lines().size(), 1u);
  EXPECT_EQ(g.Lines()[0].name, "Line3");
  EXPECT_EQ(g.Lines()[0].line, QLine(240, 21, 240, 3));
}

TEST_F(GraphLayoutTest, WindowedControlsLieAboveLabelsAndEarlierRowsAboveLaterOnes) {
  Graph& g = Open();
  // Qt stacks a window's children in the order of its child list, the last on top.
  auto stackIndex = [&](const char* name) {
    return static_cast<int>(g.children().indexOf(Child(g, name)));
  };
  int lowestWindowed = 1 << 30;
  int highestLabel = -1;
  const Row* previous[2] = {nullptr, nullptr};
  for (const Row& row : kRows) {
    const bool label = row.kind == Kind::kLabel;
    const int index = stackIndex(row.name);
    if (label)
      highestLabel = std::max(highestLabel, index);
    else
      lowestWindowed = std::min(lowestWindowed, index);
    if (const Row* above = previous[label]) {
      EXPECT_GT(stackIndex(above->name), index) << row.name;
    }
    previous[label] = &row;
  }
  EXPECT_LT(highestLabel, lowestWindowed);

  // Dir1 lies wholly under File1 and is never seen.
  QWidget* dir = Child(g, "Dir1");
  QWidget* files = Child(g, "File1");
  EXPECT_TRUE(files->geometry().contains(dir->geometry()));
  for (const QPoint& p :
       {dir->geometry().topLeft(), dir->geometry().center(), dir->geometry().bottomRight()})
    EXPECT_TRUE(files->isAncestorOf(g.childAt(p)) || g.childAt(p) == files);
  // The colons behind the minute boxes are covered by them.
  EXPECT_EQ(g.childAt(Child(g, "Label8")->geometry().center()), Child(g, "Time1m"));
}

TEST_F(GraphLayoutTest, FocusRunsInTheLayoutsOrderFromTheFirstMinuteBox) {
  Graph& g = Open();
  EXPECT_EQ(g.focusWidget(), Child(g, "Time1m"));
  const char* order[] = {"Time1m", "Time2m", "Command1", "Time2h",  "Time1h", "Command2",
                         "Plot",   "Check1", "Check2",   "Check3",  "Check4", "Check5",
                         "Check6", "Dir1",   "File1",    "Interval"};
  QWidget* w = Child(g, order[0]);
  // The focus chain is a ring through every widget: one round at most per step.
  const qsizetype widgets = g.findChildren<QWidget*>().size() + 1;
  for (std::size_t i = 1; i < std::size(order); ++i) {
    qsizetype passed = 0;
    do {
      w = w->nextInFocusChain();
    } while (!(w->focusPolicy() & Qt::TabFocus) && ++passed < widgets);
    EXPECT_EQ(w->objectName(), order[i]);
  }
  for (const Row& row : kRows) {
    if (row.kind == Kind::kLabel) {
      EXPECT_EQ(Child(g, row.name)->focusPolicy(), Qt::NoFocus);
    }
  }
}

TEST_F(GraphLayoutTest, ColoursOfTheWindowAndItsControls) {
  Graph& g = Open();
  const QImage shot = g.grab().toImage();
  struct Spot {
    const char* where;
    QPoint point;
    QColor colour;
  };
  const Spot spots[] = {
      {"window green", {3, 445}, QColor(0, 192, 0)},
      {"chart grey", {600, 200}, QColor(64, 64, 64)},
      {"Volts", {120, 396}, QColor(255, 0, 0)},
      {"Amps", {312, 385}, QColor(0, 255, 0)},
      {"Watts", {488, 385}, QColor(128, 128, 255)},
      {"RPM", {680, 385}, QColor(255, 255, 0)},
      {"Ref V to 0v", {139, 414}, QColor(128, 128, 128)},
      {"Line3", {240, 10}, QColor(0, 0, 0)},
  };
  for (const Spot& s : spots) EXPECT_EQ(shot.pixelColor(s.point), s.colour) << s.where;

  auto textColour = [&](const char* name) {
    return Child(g, name)->palette().color(QPalette::WindowText);
  };
  for (const char* white :
       {"Label7", "vt", "ftime", "stime", "Label3", "Label2", "Label1", "Label15", "Check6"})
    EXPECT_EQ(textColour(white), QColor(255, 255, 255)) << white;
  for (const char* black : {"sv", "SMax1", "SMin1", "rv", "wv", "av", "vv", "RMin1", "RMax1",
                            "WMin1", "WMax1", "AMin1", "AMax1", "VMin1", "VMax1"})
    EXPECT_EQ(textColour(black), QColor(0, 0, 0)) << black;
  for (const Row& row : kRows) {
    if (row.kind != Kind::kLabel) continue;
    EXPECT_FALSE(Child(g, row.name)->autoFillBackground()) << row.name;
    const auto align = qobject_cast<QLabel*>(Child(g, row.name))->alignment();
    const QString name = row.name;
    const bool right = name.contains("Max") || name.contains("Min") || name.size() == 2 ||
                       name == "watts" || name == "ftime" || name == "Label1";
    const Qt::Alignment expected = name == "Label7" ? Qt::AlignHCenter
                                   : right          ? Qt::AlignRight
                                                    : Qt::AlignLeft;
    EXPECT_EQ(align & Qt::AlignHorizontal_Mask, expected) << row.name;
  }
}

TEST_F(GraphLayoutTest, WindowIsFixedWithTitleAndIcon) {
  Graph& g = Open();
  EXPECT_EQ(g.objectName(), "Graph");
  EXPECT_EQ(g.windowTitle(), "Graph");
  EXPECT_TRUE(g.isWindow());
  EXPECT_EQ(g.size(), QSize(991, 450));
  EXPECT_EQ(g.minimumSize(), QSize(991, 450));
  EXPECT_EQ(g.maximumSize(), QSize(991, 450));
  EXPECT_FALSE(g.windowIcon().isNull());
  EXPECT_EQ(g.font().family(), "MS Sans Serif");
  EXPECT_EQ(g.font().pointSizeF(), 12);
}

}  // namespace
}  // namespace tallyo::test
