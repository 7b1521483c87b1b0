#include "app/Frontpiece.h"

#include <QEventLoop>
#include <QPointer>

#include "platform/ChartIcon.h"
#include "platform/CommandButton.h"
#include "platform/FormLayout.h"
#include "platform/ProgramFolder.h"
#include "viewer/Graph.h"

namespace tallyo {
namespace {

using K = ControlKind;

constexpr Colour kWindowGreen = Rgb(0, 192, 0);
constexpr int kClientWidth = 4575;
constexpr int kClientHeight = 2220;

// From the top of the stacking order downwards.
constexpr ControlSpec kFrontpieceLayout[] = {
    {K::kCommandButton, "Exit", "Exit", 240, 1200, 4095, 660, {"MS Sans Serif", 24}},
    {K::kLabel,
     "Label1",
     "Quorlane",
     2880,
     600,
     1455,
     195,
     {"Small Fonts", 6.75, true},
     Rgb(255, 0, 0)},
    {K::kLabel,
     "txtMode",
     "",
     2205,
     0,
     1410,
     375,
     {"MS Sans Serif", 13.5, true},
     Rgb(255, 0, 0),
     kSystemColour,
     TextAlign::kRight},
    {K::kLine, "Line2", "", 4500, 2160, 4500, 540},
    {K::kLine, "Line1", "", 45, 960, 4500, 960},
    {K::kLabel,
     "Label11",
     "Tallyo [ Logs Viewer ]",
     120,
     0,
     4305,
     555,
     {"Palatino Linotype", 18, true, true},
     Rgb(0, 0, 255)},
    {K::kLine, "Line10", "", 45, 540, 45, 4110},
    {K::kLine, "Line3", "", 60, 2160, 4500, 2160},
};

}  // namespace

Frontpiece::Frontpiece() : Frontpiece(ProgramFolder()) {}

Frontpiece::Frontpiece(const QString& programFolder, QWidget* parent)
    : Form(parent, kClientWidth, kClientHeight, kWindowGreen), programFolder_(programFolder) {
  setObjectName(QStringLiteral("Frontpiece"));
  setWindowTitle(QString());
  setWindowIcon(ChartIcon());
  BuildControls(*this, kFrontpieceLayout);
  auto* exitButton = findChild<CommandButton*>(QStringLiteral("Exit"));
  exitButton->onClick = [this] { Exit_Click(); };
  exitButton->setFocus(Qt::OtherFocusReason);
}

void Frontpiece::Form_Load() {
  // The viewer is a window of its own, owned by this one; closing it destroys it.
  QPointer<Graph> graph = new Graph(programFolder_, this);
  graph->setAttribute(Qt::WA_DeleteOnClose);
  graph->setWindowModality(Qt::WindowModal);
  QEventLoop modal;
  connect(graph, &QObject::destroyed, &modal, &QEventLoop::quit);
  graph->show();
  if (graph) modal.exec();
}

void Frontpiece::Exit_Click() { close(); }

void Frontpiece::LoadAndShow() {
  Form_Load();
  show();
}

}  // namespace tallyo
