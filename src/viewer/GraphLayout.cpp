// The viewer window's layout, and the typed handles the handlers use.

#include <array>
#include <iterator>
#include <tuple>

#include "platform/Colours.h"
#include "platform/FormLayout.h"
#include "viewer/Graph.h"

namespace tallyo {
namespace {

using K = ControlKind;

constexpr FontChoice kSans825{"MS Sans Serif", 8.25};
constexpr FontChoice kSans12Bold{"MS Sans Serif", 12, true};
constexpr FontChoice kSans135{"MS Sans Serif", 13.5};
constexpr FontChoice kSans18{"MS Sans Serif", 18};

constexpr Colour kSys = kSystemColour;

constexpr TextAlign kLeft = TextAlign::kLeft;
constexpr TextAlign kRight = TextAlign::kRight;
constexpr TextAlign kCentre = TextAlign::kCentre;

// From the top of the stacking order downwards.
constexpr LayoutRow kGraphLayout[] = {
    {K::kTextBox, "Interval", "10", 1920, 5160, 495, 420},
    {K::kFileList, "File1", "*.txt", 120, 1560, 3375, 3390},
    {K::kDirList, "Dir1", "", 240, 1680, 3255, 420},
    {K::kCheckBox, "Check6", "Ref V to 0v", 960, 6000, 1155, 240, kSans825, kWhite, kMidGrey},
    {K::kCheckBox, "Check5", "Wind Speed", 12240, 5520, 780, 375, kSans825},
    {K::kCheckBox, "Check4", "RPM", 9480, 5520, 780, 375, kSans825, kSys, kYellow},
    {K::kCheckBox, "Check3", "Watts", 6600, 5520, 780, 375, kSans825, kSys, kLightBlue},
    {K::kCheckBox, "Check2", "Amps", 3960, 5520, 780, 375, kSans825, kSys, kGreen},
    {K::kCheckBox, "Check1", "Volts", 960, 5640, 900, 375, kSans825, kSys, kRed},
    {K::kPictureBox, "Plot", "", 3600, 270, 11235, 5235, kSans825, kSys, kChartGrey},
    {K::kCommandButton, "Command2", "Exit", 1680, 0, 1890, 375, kSans825},
    {K::kTextBox, "Time1h", "00", 720, 810, 375, 285, kSans825},
    {K::kTextBox, "Time2h", "23", 720, 1125, 375, 285, kSans825},
    {K::kCommandButton, "Command1", "DISPLAY", 1680, 840, 1860, 615, kSans18},
    {K::kTextBox, "Time2m", "59", 1200, 1125, 375, 285, kSans825},
    {K::kTextBox, "Time1m", "00", 1200, 810, 375, 285, kSans825},
    {K::kLabel, "Label10", "secs", 2400, 5280, 495, 255},
    {K::kLabel, "Label9", "Log Interval", 480, 5280, 1335, 375},
    {K::kLabel, "watts", "Wh", 720, 6240, 1335, 375, kSans135, kSys, kSys, kRight},
    {K::kLabel, "text1", "", 720, 480, 2775, 255},
    {K::kLabel, "Label7", "Time", 8760, 0, 735, 255, kSans12Bold, kWhite, kSys, kCentre},
    {K::kLine, "Line3", "", 3600, 315, 3600, 45},
    {K::kLabel, "sv", "0", 12960, 5640, 1335, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "SMax1", "0", 13080, 6000, 1245, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "SMin1", "0", 13080, 6360, 1215, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "rv", "0", 10320, 5640, 1455, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "vt", "", 8160, 0, 975, 315, kSans825, kWhite, kSys, kRight},
    {K::kLabel, "wv", "0", 7560, 5640, 1455, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "av", "0", 4680, 5640, 1455, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "vv", "0", 2040, 5640, 1335, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "ftime", "Finish", 13800, 45, 870, 240, kSans825, kWhite, kSys, kRight},
    {K::kLabel, "stime", "Start", 3720, 45, 1005, 285, kSans825, kWhite, kSys, kLeft},
    {K::kLabel, "RMin1", "0", 10440, 6360, 1320, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "RMax1", "0", 10560, 6000, 1245, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "WMin1", "0", 7680, 6360, 1320, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "WMax1", "0", 7680, 6000, 1365, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "AMin1", "0", 4800, 6360, 1275, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "AMax1", "0", 4800, 6000, 1290, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "VMin1", "0", 2040, 6360, 1305, 315, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "VMax1", "0", 2040, 6000, 1335, 240, kSans12Bold, kBlack, kSys, kRight},
    {K::kLabel, "Label3", "To", 240, 1125, 330, 285, kSans825, kWhite},
    {K::kLabel, "Label2", "From", 240, 855, 420, 240, kSans825, kWhite},
    {K::kLabel, "Label5", ":", 1035, 1170, 105, 240, kSans825},
    {K::kLabel, "Label4", ":", 1035, 855, 105, 240, kSans825},
    {K::kLabel, "Label1", "File", 120, 495, 375, 255, kSans825, kWhite, kSys, kRight},
    {K::kLabel, "Label6", ":", 1350, 1215, 135, 195, kSans825},
    {K::kLabel, "Label8", ":", 1350, 855, 135, 255, kSans825},
    {K::kLabel, "Label15", "Log History", 45, 45, 1680, 375, kSans135, kWhite},
};

constexpr FontChoice kWindowFont12{"MS Sans Serif", 12};

}  // namespace

void Graph::BuildLayout() {
  SetFormFont(kWindowFont12);
  BuildControls(*this, kGraphLayout);

  Interval = Find<TextBox>("Interval");
  File1 = Find<FileListBox>("File1");
  Dir1 = Find<DirListBox>("Dir1");
  Check1 = Find<CheckBox>("Check1");
  Check2 = Find<CheckBox>("Check2");
  Check3 = Find<CheckBox>("Check3");
  Check4 = Find<CheckBox>("Check4");
  Check5 = Find<CheckBox>("Check5");
  Check6 = Find<CheckBox>("Check6");
  Plot = Find<PictureBox>("Plot");
  Command1 = Find<CommandButton>("Command1");
  Command2 = Find<CommandButton>("Command2");
  Time1h = Find<TextBox>("Time1h");
  Time1m = Find<TextBox>("Time1m");
  Time2h = Find<TextBox>("Time2h");
  Time2m = Find<TextBox>("Time2m");
  text1 = Find<Label>("text1");
  vv = Find<Label>("vv");
  av = Find<Label>("av");
  wv = Find<Label>("wv");
  rv = Find<Label>("rv");
  sv = Find<Label>("sv");
  const char* const summaryNames[] = {"stime", "ftime", "VMax1", "VMin1", "AMax1", "AMin1", "WMax1",
                                      "WMin1", "RMax1", "RMin1", "SMax1", "SMin1", "watts"};
  static_assert(std::size(summaryNames) == std::tuple_size_v<decltype(summary_)>);
  for (std::size_t i = 0; i < summary_.size(); ++i) summary_[i] = Find<Label>(summaryNames[i]);

  SetFocusOrder({Time1m, Time2m, Command1, Time2h, Time1h, Command2, Plot, Check1, Check2, Check3,
                 Check4, Check5, Check6, Dir1, File1, Interval});
}

}  // namespace tallyo
