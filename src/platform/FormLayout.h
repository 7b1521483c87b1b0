#pragma once
// A window's layout as a table: one row per control, from the top of the stacking order
// downwards, with its kind, name, caption, rectangle in twips, font, colours and
// alignment. BuildControls makes the controls of a window from it.

#include <cstddef>
#include <span>
#include <vector>

#include "platform/Colours.h"

namespace tallyo {

enum class ControlKind {
  kLabel,
  kTextBox,
  kCommandButton,
  kCheckBox,
  kFileList,
  kDirList,
  kPictureBox,
  kLine,
};

enum class TextAlign { kLeft, kRight, kCentre };

struct FontChoice {
  const char* face = nullptr;  // nullptr: the window's own font
  double points = 0;
  bool bold = false;
  bool italic = false;
};

inline constexpr FontChoice kWindowFont{};

// Not a plain 0x00BBGGRR colour: the control keeps the system colour of its kind.
inline constexpr Colour kSystemColour = 0xFF000000u;

struct LayoutRow {
  ControlKind kind;
  const char* name;
  // Caption or text; for a file list, its file name pattern.
  const char* caption;
  // Left, top, width, height; for a line, X1, Y1, X2, Y2.
  int left, top, width, height;
  FontChoice font = kWindowFont;
  Colour text = kSystemColour;
  Colour background = kSystemColour;
  TextAlign align = TextAlign::kLeft;
};

// What a window is: its name (the one tests and automation find it by), its caption, the
// size of its client area in twips, and its background colour.
struct FormInfo {
  const char* name;
  const char* caption;
  int clientWidthTwips;
  int clientHeightTwips;
  Colour background;
};

// The rows of a layout's controls from the top of the stacking order downwards: windowed
// controls lie above labels, and within each group an earlier row lies above a later one.
// Lines are not among them: the form paints them beneath everything.
inline std::vector<std::size_t> StackingOrder(std::span<const LayoutRow> layout) {
  std::vector<std::size_t> order;
  for (const bool labels : {false, true})
    for (std::size_t i = 0; i < layout.size(); ++i)
      if (layout[i].kind != ControlKind::kLine && (layout[i].kind == ControlKind::kLabel) == labels)
        order.push_back(i);
  return order;
}

// A check box's caption breaks between words onto a second line when the box is at least
// one and a half lines of its font high; the two lines, centred, may then reach a little
// into the box's edges, as those of the layout's 375-twip boxes do.
constexpr bool CaptionWraps(int boxHeight, int lineHeight) {
  return 2 * boxHeight >= 3 * lineHeight;
}

// Makes the controls of the layout on form: first the lines, which the form paints
// beneath everything, then the other controls in their stacking order, each beneath those
// made before it. The toolkit's form makes each one (AddLine, AddControl), told its row's
// place in the table, counted from 0 with the lines among them.
template <class F>
void BuildControls(F& form, std::span<const LayoutRow> layout) {
  for (const LayoutRow& row : layout)
    if (row.kind == ControlKind::kLine) form.AddLine(row);
  for (const std::size_t i : StackingOrder(layout)) form.AddControl(layout[i], i);
}

}  // namespace tallyo
