#include "app/Frontpiece.h"

#include <QEventLoop>
#include <QPointer>

#include "platform/ChartIcon.h"
#include "platform/Colours.h"
#include "platform/CommandButton.h"
#include "platform/FormLayout.h"
#include "platform/ProgramFolder.h"
#include "viewer/Graph.h"

namespace tallyo {
namespace {

using K = ControlKind;

constexpr int kClientWidth = 4575;
constexpr int kClientHeight = 2220;

constexpr FontChoice kSans24{"MS Sans Serif", 24};
constexpr FontChoice kSmallBold{"Small Fonts", 6.75, true};
constexpr FontChoice kSans135Bold{"MS Sans Serif", 13.5, true};
constexpr FontChoice kPalatino18BoldItalic{"Palatino Linotype", 18, true, true};
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kSys = kSystemColour;

// From the top of the stacking order downwards.
constexpr LayoutRow kFrontpieceLayout[] = {
    {K::kCommandButton, "Exit", "Exit", 240, 1200, 4095, 660, kSans24},
    {K::kLabel, "Label1", "Quorlane", 2880, 600, 1455, 195, kSmallBold, kRed},
    {K::kLabel, "txtMode", "", 2205, 0, 1410, 375, kSans135Bold, kRed, kSys, TextAlign::kRight},
    {K::kLine, "Line2", "", 4500, 2160, 4500, 540},
    {K::kLine, "Line1", "", 45, 960, 4500, 960},
    {K::kLabel, "Label11", "Tallyo [ Logs Viewer ]", 120, 0, 4305, 555, kPalatino18BoldItalic,
     kBlue},
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
