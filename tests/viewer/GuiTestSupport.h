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
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

// Failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace tallyo::test {

// Record k of a test day, logged k * stepSeconds after midnight. Every value tells its
// record apart, so a readout or a label names the record it came from.
struct TestRecord {
  static double Volts(int k) { return 10 + k * 0.25; }
  static double Amps(int k) { return k * 0.1; }
  static double Watts(int k) { return k * 3; }
  static double Rpm(int k) { return k * 7; }
  static double Speed(int k) { return k * 0.05; }
};

inline std::string TimeText(int secondOfDay) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60,
                secondOfDay % 60);
  return text;
}

inline std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

// A day file of records 1..count, one line each, CR LF after every line.
inline std::string TestDay(int count, int stepSeconds = 10) {
  std::string day;
  for (int k = 1; k <= count; ++k) {
    day += "<T>" + TimeText(k * stepSeconds) + "</T> <V>" + Number(TestRecord::Volts(k)) +
           "</V> <I>" + Number(TestRecord::Amps(k)) + "</I> <R>" + Number(TestRecord::Rpm(k)) +
           "</R> <W>" + Number(TestRecord::Watts(k)) + "</W> <S>" + Number(TestRecord::Speed(k)) +
           "</S> <M>0</M>\r\n";
  }
  return day;
}

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
