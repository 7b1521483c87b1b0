#pragma once
// How a test drives the Qt edition's windows as the user and automation drive them, for
// the tests written once for both editions (the Windows edition's twin is
// support/win32/Drive.h): a control found by its object name, its text read and set as it
// shows, clicks, keys, list entries, the pointer, the program's message box caught and
// closed, and waits that run the program's events.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Form.h"
#include "support/Deadline.h"

// Failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tallyo::test {

// A control as the tests take hold of it.
using Handle = QWidget*;

template <typename T = QWidget>
T* Child(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  EXPECT_NE(control, nullptr) << "no control " << name;
  return control;
}

inline Handle Item(const Form& window, const char* name) { return Child(window, name); }
inline Handle HandleOf(QWidget& control) { return &control; }
// What stands for the window as the owner of a message box.
inline const void* WindowId(const Form& window) { return static_cast<const QWidget*>(&window); }

// Shows the window and waits until it is on the screen.
inline void ShowAndWait(Form& window) {
  window.Show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
}

// Where the mouse meets a control: a list's entries lie in its viewport.
inline QWidget* MouseTarget(Handle control) {
  auto* area = qobject_cast<QAbstractScrollArea*>(control);
  return area ? area->viewport() : control;
}

inline bool Visible(const Form& window) { return window.isVisible(); }

// The text a label, text box or button shows, in UTF-8.
inline std::string ShownText(Handle control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text().toStdString();
  ADD_FAILURE() << "no text in " << control->objectName().toStdString();
  return {};
}

// A text box's text replaced at once, as pasting or automation replaces it.
inline void SetShownText(Handle box, const std::string& text) {
  qobject_cast<QLineEdit*>(box)->setText(QString::fromUtf8(text));
}

// Keys typed over the whole of a text box's text, selected first, one change each.
inline void TypeOver(Handle box, const std::string& keys) {
  auto* edit = qobject_cast<QLineEdit*>(box);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(keys));
}

// Keys typed at the end of a text box's text, one change each.
inline void TypeAtEnd(Handle box, const std::string& keys) {
  auto* edit = qobject_cast<QLineEdit*>(box);
  edit->end(false);
  QTest::keyClicks(edit, QString::fromUtf8(keys));
}

// A click of the left button on a button, or on a check box's tick.
inline void Click(Handle control) {
  const QPoint at = qobject_cast<QCheckBox*>(control) ? QPoint(6, control->height() / 2)
                                                      : control->rect().center();
  QTest::mouseClick(control, Qt::LeftButton, {}, at);
}

// The texts of a list's entries, from the first.
inline std::vector<std::string> Entries(Handle list) {
  std::vector<std::string> texts;
  auto* l = qobject_cast<QListWidget*>(list);
  for (int i = 0; i < l->count(); ++i) texts.push_back(l->item(i)->text().toStdString());
  return texts;
}

// A point of a list: the middle of an entry, or below the last entry.
struct Spot {
  int x, y;
};
inline Spot EntrySpot(Handle list, int index) {
  auto* l = qobject_cast<QListWidget*>(list);
  const QPoint middle = l->visualItemRect(l->item(index)).center();
  return {middle.x(), middle.y()};
}
inline Spot BelowEntries(Handle list) { return {20, MouseTarget(list)->height() - 5}; }

// A click of the left button on the middle of the list's entry that reads text.
inline void ClickEntry(Handle list, const std::string& text) {
  auto* l = qobject_cast<QListWidget*>(list);
  const auto found = l->findItems(QString::fromUtf8(text), Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1) << text;
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found.front()).center());
}

// The entry at the top of the list's view, and the list scrolled to put an entry there.
inline int TopEntry(Handle list) {
  auto* l = qobject_cast<QListWidget*>(list);
  const QListWidgetItem* top = l->itemAt(1, 1);
  return top ? l->row(top) : -1;
}
inline void ScrollToEntry(Handle list, int index) {
  auto* l = qobject_cast<QListWidget*>(list);
  l->scrollToItem(l->item(index), QAbstractItemView::PositionAtTop);
}

// The pointer moved to (x, y) pixels of the control with no button held.
inline void Hover(Handle control, int x, int y) {
  QMouseEvent move(QEvent::MouseMove, QPointF(x, y), control->mapToGlobal(QPointF(x, y)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(control, &move);
}

// The left (or right) button pressed at (x, y) pixels of the control, the pointer moved
// with it held, and the button released.
inline void PressAt(Handle control, int x, int y, bool right = false) {
  QTest::mousePress(MouseTarget(control), right ? Qt::RightButton : Qt::LeftButton, {},
                    QPoint(x, y));
}
inline void DragTo(Handle control, int x, int y) {
  QTest::mouseMove(MouseTarget(control), QPoint(x, y));
}
inline void ReleaseAt(Handle control, int x, int y, bool right = false) {
  QTest::mouseRelease(MouseTarget(control), right ? Qt::RightButton : Qt::LeftButton, {},
                      QPoint(x, y));
}

// The keyboard focus on the control, and the arrow key down or up pressed there.
inline void TakeFocus(Handle control) {
  control->setFocus();
  QApplication::processEvents();
}
inline void PressArrow(Handle control, bool down) {
  QTest::keyClick(control, down ? Qt::Key_Down : Qt::Key_Up);
}

// Runs the program's events until done() holds, for kWaitLimit at most; whether it held.
inline bool WaitUntil(const std::function<bool()>& done) {
  return QTest::qWaitFor(done, static_cast<int>(kWaitLimit.count()));
}

struct MessageSeen {
  std::string title;
  std::string text;
  int buttons = 0;
  bool hasOk = false;
  bool hasIcon = false;
  const void* owner = nullptr;  // WindowId of the window it is modal over
};

// Runs action; the first modal message box it opens is read and closed with its OK
// button. Gives nullopt when no box was shown. A box that will not close is rejected
// after a few seconds, so a test fails instead of hanging.
inline std::optional<MessageSeen> CatchMessage(const std::function<void()>& action) {
  std::optional<MessageSeen> seen;
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && !seen) {
      seen = MessageSeen{
          box->windowTitle().toStdString(),        box->text().toStdString(),
          static_cast<int>(box->buttons().size()), box->button(QMessageBox::Ok) != nullptr,
          box->icon() != QMessageBox::NoIcon,      box->parentWidget()};
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    }
    if (clock.elapsed() > 5000) {
      ADD_FAILURE() << "a modal window did not close";
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      else
        modal->close();
    }
  });
  poll.start();
  action();
  poll.stop();
  return seen;
}

// Whether a message box is still open.
inline bool MessageOpen() { return QApplication::activeModalWidget() != nullptr; }

}  // namespace tallyo::test
