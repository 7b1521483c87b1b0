#include "app/Frontpiece.h"

#include <memory>
#include <utility>

#include "CommandButton.h"
#include "platform/Colours.h"
#include "platform/FormLayout.h"
#include "platform/Path.h"
#include "viewer/Graph.h"

namespace tallyo {
namespace {

using K = ControlKind;

// An empty caption: the window shows the program's name in its own text.
constexpr FormInfo kFrontpieceForm{"Frontpiece", "", 4575, 2220, kWindowGreen};

constexpr FontChoice kSans24{"MS Sans Serif", 24};
constexpr FontChoice kSmallBold{"Small Fonts", 6.75, true};
constexpr FontChoice kSans135Bold{"MS Sans Serif", 13.5, true};
constexpr FontChoice kPalatino18BoldItalic{"Palatino Linotype", 18, true, true};
constexpr Colour kSys = kSystemColour;

// From the top of the stacking order downwards. Label1 names the maker as the build does.
constexpr LayoutRow kFrontpieceLayout[] = {
    {K::kCommandButton, "Exit", "Exit", 240, 1200, 4095, 660, kSans24},
    {K::kLabel, "Label1", TALLYO_COMPANY, 2880, 600, 1455, 195, kSmallBold, kRed},
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

Frontpiece::Frontpiece(std::string programFolder, Form* owner)
    : Form(owner, kFrontpieceForm), programFolder_(std::move(programFolder)) {
  BuildControls(*this, kFrontpieceLayout);
  auto* exitButton = Find<CommandButton>("Exit");
  exitButton->onClick = [this] { Exit_Click(); };
  SetFocusOrder({exitButton});
}

void Frontpiece::Form_Load() {
  // The viewer is a window of its own, owned by this one, and unloaded once closed.
  const auto graph = std::make_unique<Graph>(programFolder_, this);
  graph->ShowModal();
}

void Frontpiece::Exit_Click() { Close(); }

void Frontpiece::LoadAndShow() {
  Form_Load();
  Show();
}

}  // namespace tallyo
