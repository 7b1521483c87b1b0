#pragma once
// Helpers for tests that drive the real windows: day files of made-up records, a catcher
// for the modal message box, and lookups in the widget tree by control name.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "support/TestDay.h"

// Failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tallyo::test {

struct MessageSeen {
  QString title;
  QString text;
  int buttonCount = 0;
  bool hasOk = false;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
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
      seen = MessageSeen{box->windowTitle(), box->text(), static_cast<int>(box->buttons().size()),
                         box->button(QMessageBox::Ok) != nullptr, box->icon()};
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

template <typename T = QWidget>
T* Child(const QWidget& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  EXPECT_NE(control, nullptr) << "no control " << name;
  return control;
}

}  // namespace tallyo::test
