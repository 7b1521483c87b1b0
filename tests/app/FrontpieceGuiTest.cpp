// The start window and the program's run: the viewer is the first window on screen,
// modal and owned by the start window; the start window appears once the viewer is
// gone; closing the start window ends the program.

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <vector>

#include "Application.h"
#include "app/Frontpiece.h"
#include "platform/Toolkit.h"
#include "support/TempLogFolder.h"
#include "viewer/Graph.h"
#include "viewer/GuiTestSupport.h"

namespace tallyo::test {
namespace {

std::string Folder(const TempLogFolder& folder) { return folder.ProgramFolder(); }

// Runs one step at a time from the event loop, each once its condition holds; gives up
// (closing every window) after a few seconds so that a failing test cannot hang.
class Script {
 public:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {
    clock_.start();
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(5);
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  void Tick() {
    if (Done()) return;
    if (steps_[next_].ready()) {
      steps_[next_++].act();
    } else if (clock_.elapsed() > 5000) {
      ADD_FAILURE() << "step " << next_ << " never became ready";
      next_ = steps_.size();
      for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }
  }
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QTimer timer_;
  QElapsedTimer clock_;
};

Graph* ShownViewer() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* g = qobject_cast<Graph*>(w); g && g->isVisible()) return g;
  return nullptr;
}

Frontpiece* ShownStartWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<Frontpiece*>(w); f && f->isVisible()) return f;
  return nullptr;
}

TEST(FrontpieceGuiTest, TheViewerComesFirstAndTheStartWindowOnlyAfterItCloses) {
  TempLogFolder folder;
  Frontpiece start(Folder(folder));
  QPointer<Graph> viewer;
  Script script({{[] { return ShownViewer() != nullptr; },
                  [&] {
                    viewer = ShownViewer();
                    EXPECT_FALSE(start.isVisible());
                    EXPECT_EQ(viewer->parentWidget(), &start);
                    EXPECT_TRUE(viewer->isWindow());
                    EXPECT_EQ(viewer->windowModality(), Qt::WindowModal);
                    EXPECT_EQ(viewer->ProgramFolderPath(), Folder(folder));
                    QTest::mouseClick(Child(*viewer, "Command2"), Qt::LeftButton);
                  }}});
  start.LoadAndShow();
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(viewer.isNull()) << "the closed viewer is unloaded";
  EXPECT_EQ(start.findChild<Graph*>(), nullptr);
  EXPECT_TRUE(start.isVisible());
}

TEST(FrontpieceGuiTest, ClosingTheViewerByItsCloseControlEqualsExit) {
  TempLogFolder folder;
  Frontpiece start(Folder(folder));
  QPointer<Graph> viewer;
  Script script({{[] { return ShownViewer() != nullptr; },
                  [&] {
                    viewer = ShownViewer();
                    viewer->windowHandle()->close();
                  }}});
  start.LoadAndShow();
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(viewer.isNull());
  EXPECT_TRUE(start.isVisible());
}

TEST(FrontpieceGuiTest, TheProgramRunsViewerThenStartWindowAndEndsWithIt) {
  std::vector<std::string> seen;
  QPointer<Frontpiece> start;
  Script script({
      {[] { return ShownViewer() != nullptr; },
       [&] {
         seen.push_back("viewer");
         EXPECT_EQ(ShownStartWindow(), nullptr);
         // The viewer holds the start window's input while it is open.
         EXPECT_EQ(QApplication::activeModalWidget(), ShownViewer());
         QTest::mouseClick(Child(*ShownViewer(), "Command2"), Qt::LeftButton);
       }},
      {[] { return ShownStartWindow() != nullptr; },
       [&] {
         seen.push_back("start");
         EXPECT_EQ(ShownViewer(), nullptr);
         start = ShownStartWindow();
         start->windowHandle()->close();
       }},
  });
  const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(seen, (std::vector<std::string>{"viewer", "start"}));
  EXPECT_TRUE(start.isNull());
  EXPECT_EQ(QApplication::quitOnLastWindowClosed(), quitOnLastWindow);
}

TEST(FrontpieceGuiTest, ExitButtonClosesTheStartWindow) {
  TempLogFolder folder;
  auto* start = new Frontpiece(Folder(folder));
  start->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<Frontpiece> alive = start;
  Script script({{[] { return ShownViewer() != nullptr; }, [] { ShownViewer()->close(); }}});
  start->LoadAndShow();
  ASSERT_TRUE(start->isVisible());
  QTest::mouseClick(Child(*start, "Exit"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
}

TEST(FrontpieceGuiTest, LayoutOfTheStartWindow) {
  TempLogFolder folder;
  Frontpiece start(Folder(folder));
  EXPECT_EQ(start.windowTitle(), "");
  EXPECT_EQ(start.size(), QSize(305, 148));
  EXPECT_EQ(start.minimumSize(), start.maximumSize());

  struct Row {
    const char* name;
    const char* caption;
    QRect rect;
    const char* face;
    const char* substitute;
    double points;
    bool bold, italic;
    QColor text;
  };
  const Row rows[] = {
      {"Exit",
       "Exit",
       {16, 80, 273, 44},
       "MS Sans Serif",
       "Liberation Sans",
       24,
       false,
       false,
       QColor()},
      {"Label1",
       "Quorlane",
       {192, 40, 97, 13},
       "Small Fonts",
       "Liberation Sans",
       6.75,
       true,
       false,
       QColor(255, 0, 0)},
      {"txtMode",
       "",
       {147, 0, 94, 25},
       "MS Sans Serif",
       "Liberation Sans",
       13.5,
       true,
       false,
       QColor(255, 0, 0)},
      {"Label11",
       "Tallyo [ Logs Viewer ]",
       {8, 0, 287, 37},
       "Palatino Linotype",
       "P052",
       18,
       true,
       true,
       QColor(0, 0, 255)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    QWidget* w = Child(start, row.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), row.rect);
    EXPECT_EQ(w->font().family(), row.face);
    // A face installed by two foundries reads "Face [foundry]".
    EXPECT_EQ(QFontInfo(w->font()).family().section(" [", 0, 0), row.substitute);
    EXPECT_EQ(w->font().pointSizeF(), row.points);
    EXPECT_EQ(w->font().bold(), row.bold);
    EXPECT_EQ(w->font().italic(), row.italic);
    if (auto* label = qobject_cast<QLabel*>(w)) {
      EXPECT_EQ(label->text(), row.caption);
      EXPECT_EQ(label->palette().color(QPalette::WindowText), row.text);
    } else {
      EXPECT_EQ(qobject_cast<QPushButton*>(w)->text(), row.caption);
    }
  }
  EXPECT_EQ(qobject_cast<QLabel*>(Child(start, "txtMode"))->alignment() & Qt::AlignRight,
            Qt::AlignRight);
  // The button is the one windowed control, above the labels.
  EXPECT_GT(start.children().indexOf(Child(start, "Exit")),
            start.children().indexOf(Child(start, "Label11")));

  std::vector<std::pair<QString, QLine>> lines;
  for (const auto& l : start.Lines()) lines.emplace_back(l.name, l.line);
  EXPECT_EQ(lines, (std::vector<std::pair<QString, QLine>>{{"Line2", QLine(300, 144, 300, 36)},
                                                           {"Line1", QLine(3, 64, 300, 64)},
                                                           {"Line10", QLine(3, 36, 3, 274)},
                                                           {"Line3", QLine(4, 144, 300, 144)}}));
  // The frame is painted in black; Line10 runs on past the bottom edge and is cut there.
  const QImage shot = start.grab().toImage();
  EXPECT_EQ(shot.pixelColor(3, 147), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(150, 64), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(300, 100), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(150, 144), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(150, 140), QColor(0, 192, 0));
}

// The version and maker the program gives the system, as it starts.
TEST(FrontpieceGuiTest, ProgramIdentity) {
  ConfigureApplication();
  EXPECT_EQ(QApplication::applicationVersion(), "1.02.0011");
  EXPECT_EQ(QApplication::organizationName(), "Quorlane");
  EXPECT_EQ(QApplication::applicationName(), "Tallyo_viewer");
}

}  // namespace
}  // namespace tallyo::test
