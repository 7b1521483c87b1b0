// Every caption of the viewer and of the start window shows whole in its control, drawn
// with the faces the program brings (the test main adds them as the program does at
// start): no line of it is wider than the room the control gives its text, it takes no
// more lines than that room holds, and a label's caption, which hangs from the label's top
// edge, is not cut off at its bottom edge.

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "Drive.h"
#include "app/Frontpiece.h"
#include "platform/FormLayout.h"
#include "support/TempLogFolder.h"
#include "viewer/Graph.h"

namespace tallyo::test {
namespace {

// Where a control draws its caption, in the control's pixels.
struct TextRoom {
  QRect rect;
  // Breaks between words onto further lines.
  bool wraps = false;
  // Hangs from the top edge and is cut at the bottom edge, as a label's.
  bool hangs = false;
};

// The rectangles the style gives each kind of control for its text: a label's whole
// rectangle; a check box's beside its indicator, wrapping where CaptionWraps says; a
// button's inside its bevel; a text box's inside its frame, less the 2 pixels at either
// side that a QLineEdit keeps free of text.
std::optional<TextRoom> RoomOf(const QWidget& w) {
  QStyle& style = *w.style();
  if (auto* label = qobject_cast<const QLabel*>(&w))
    return TextRoom{label->contentsRect(), false, true};
  if (auto* box = qobject_cast<const QCheckBox*>(&w)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const bool wraps = CaptionWraps(box->height(), box->fontMetrics().lineSpacing());
    return TextRoom{style.subElementRect(QStyle::SE_CheckBoxContents, &option, box), wraps};
  }
  if (auto* button = qobject_cast<const QPushButton*>(&w)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return TextRoom{style.subElementRect(QStyle::SE_PushButtonContents, &option, button)};
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(&w)) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect inside = style.subElementRect(QStyle::SE_LineEditContents, &option, edit)
                             .marginsRemoved(edit->textMargins());
    return TextRoom{inside.adjusted(2, 0, -2, 0)};
  }
  return std::nullopt;
}

QString CaptionOf(const QWidget& w) {
  if (auto* label = qobject_cast<const QLabel*>(&w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&w)) return button->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(&w)) return edit->text();
  return {};
}

struct Measure {
  int width = 0;  // of the widest line, in pixels
  int lines = 0;
  int inkBottom = 0;  // below the top of the text, in pixels: the last row of ink plus 1
};

// The caption laid out in the room's width as the control lays it out, each line measured
// by the control's font metrics.
Measure MeasureCaption(const QWidget& w, const QString& caption, const TextRoom& room) {
  const QFontMetrics metrics = w.fontMetrics();
  QTextLayout layout(caption, w.font());
  QTextOption option;
  option.setWrapMode(room.wraps ? QTextOption::WordWrap : QTextOption::NoWrap);
  layout.setTextOption(option);
  Measure m;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(room.rect.width());
    const QString text = caption.mid(line.textStart(), line.textLength()).trimmed();
    m.width = std::max(m.width, metrics.horizontalAdvance(text));
    ++m.lines;
  }
  layout.endLayout();
  const QRect ink = metrics.tightBoundingRect(caption);
  m.inkBottom = metrics.ascent() + ink.y() + ink.height();
  return m;
}

// A room holds as many lines as it is high, to the nearest line: lines centred in it may
// reach up to a quarter of a line past either edge, as a check box's two lines do in a box
// one and a half lines high.
int LinesHeld(const QWidget& w, const TextRoom& room) {
  const int line = w.fontMetrics().lineSpacing();
  return (2 * room.rect.height() + line) / (2 * line);
}

// Checks every control of the window that has a caption; gives their names.
std::set<std::string> CheckCaptions(const QWidget& window) {
  std::set<std::string> checked;
  for (const QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QString caption = CaptionOf(*w);
    if (caption.isEmpty()) continue;
    const std::string name = w->objectName().toStdString();
    const std::optional<TextRoom> room = RoomOf(*w);
    if (!room) {
      ADD_FAILURE() << name << ": a caption in a control of unknown kind";
      continue;
    }
    checked.insert(name);
    const Measure m = MeasureCaption(*w, caption, *room);
    const std::string seen = QStringLiteral(
                                 "%1 \"%2\" in %3 %4 pt: %5 px wide, %6 line(s); "
                                 "room %7 x %8 px")
                                 .arg(w->objectName(), caption, QFontInfo(w->font()).family())
                                 .arg(w->font().pointSizeF())
                                 .arg(m.width)
                                 .arg(m.lines)
                                 .arg(room->rect.width())
                                 .arg(room->rect.height())
                                 .toStdString();
    EXPECT_LE(m.width, room->rect.width()) << seen;
    EXPECT_LE(m.lines, LinesHeld(*w, *room)) << seen;
    if (room->hangs) {
      EXPECT_LE(m.inkBottom, room->rect.height()) << seen << ", ink to " << m.inkBottom;
    }
  }
  return checked;
}

TEST(CaptionsGuiTest, EveryCaptionOfBothWindowsShowsWhole) {
  TempLogFolder folder;
  const auto viewer = std::make_unique<Graph>(folder.ProgramFolder());
  const auto start = std::make_unique<Frontpiece>(folder.ProgramFolder());
  const std::set<std::string> viewerChecked = CheckCaptions(*viewer);
  const std::set<std::string> startChecked = CheckCaptions(*start);
  // The tightest captions of each kind of control are among those checked.
  for (const char* name : {"Label9", "Label10", "Check5", "Check6", "Command1", "Interval"})
    EXPECT_TRUE(viewerChecked.count(name)) << name;
  for (const char* name : {"Label11", "Label1", "Exit"})
    EXPECT_TRUE(startChecked.count(name)) << name;
}

}  // namespace
}  // namespace tallyo::test
