#pragma once
// A window built from a fixed layout: a client area of a set size in twips that the user
// cannot resize, a background colour, and line controls painted on the window's own
// surface beneath every child control. Every control of a window is a Control, found by
// its layout name.

#include <QLine>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

#include "platform/FormLayout.h"
#include "platform/Toolkit.h"

// Opens the declaration of a window class derived from Form: here Qt's meta-object, so that
// qobject_cast and the object tree know the class.
#define TALLYO_FORM Q_OBJECT

namespace tallyo {

using Control = QWidget;

class Form : public QWidget {
  Q_OBJECT
 public:
  // owner, when given, owns the window; the form is still a window of its own.
  Form(Form* owner, const FormInfo& info);

  struct LineControl {
    QString name;
    QLine line;  // logical pixels
  };

  // A line's row (BuildControls): a 1-pixel solid line between two points given in twips,
  // both end points drawn.
  void AddLine(const LayoutRow& row);
  const std::vector<LineControl>& Lines() const { return lines_; }
  // The control of another row (BuildControls), named by the row's name, beneath those
  // made before it; index, its place in the layout, is not needed here.
  void AddControl(const LayoutRow& row, std::size_t index);

  // The control of the layout row named name, or nullptr.
  template <typename T>
  T* Find(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  }

  // The keyboard focus moves through controls in this order; the first one has it.
  void SetFocusOrder(std::initializer_list<Control*> order);
  void SetFormFont(const FontChoice& font);

  void Show() { show(); }
  // The window's close handling; a closed window is hidden.
  void Close() { close(); }
  // Shows the window modally over its owner and returns once it has been closed.
  void ShowModal();
  // Runs the program's events until this window has been closed; returns the exit code.
  int RunUntilClosed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::vector<LineControl> lines_;
  std::function<void()> onClosed_;
};

static_assert(FormWindow<Form, Control>);

}  // namespace tallyo
