#include "viewer/Graph.h"

#include <utility>

#include "platform/Colours.h"
#include "platform/Path.h"

namespace tallyo {
namespace {

constexpr FormInfo kGraphForm{"Graph", "Graph", 14865, 6750, kWindowGreen};

}  // namespace

Graph::Graph(Form* owner) : Graph(ProgramFolder(), owner) {}

// The user's notation is read from the system once, with the window.
Graph::Graph(std::string programFolder, Form* owner)
    : Graph(std::move(programFolder), UserNumberFormat(), owner) {}

Graph::Graph(std::string programFolder, NumberFormat numberFormat, Form* owner)
    : Form(owner, kGraphForm),
      // The series are large fixed arrays: the state lives on the heap, all zero.
      state_(std::make_unique<ViewerState>()),
      programFolder_(std::move(programFolder)) {
  state_->numberFormat = std::move(numberFormat);
  BuildLayout();
  ConnectHandlers();
  Form_Load();
}

Graph::~Graph() = default;

void Graph::ConnectHandlers() {
  Dir1->onChange = [this] { Dir1_Change(); };
  File1->onClick = [this](const std::string&) { File1_Click(); };
  Command1->onClick = [this] { Command1_Click(); };
  Command2->onClick = [this] { Command2_Click(); };
  Check1->onClick = [this] { Check1_Click(); };
  Check2->onClick = [this] { Check2_Click(); };
  Check3->onClick = [this] { Check3_Click(); };
  Check4->onClick = [this] { Check4_Click(); };
  Check5->onClick = [this] { Check5_Click(); };
  Check6->onClick = [this] { Check6_Click(); };
  Interval->onChange = [this] { Interval_Change(); };
  Plot->onMouseDown = [this](int b, int s, float x, float y) { Plot_MouseDown(b, s, x, y); };
  Plot->onMouseMove = [this](int b, int s, float x, float y) { Plot_MouseMove(b, s, x, y); };
  Plot->onMouseUp = [this](int b, int s, float x, float y) { Plot_MouseUp(b, s, x, y); };
}

}  // namespace tallyo
