#pragma once
// A window built from a fixed layout: a client area of a set size in twips that the user
// cannot resize, a background colour, and line controls painted on the window's own
// surface beneath every child control.

#include <QLine>
#include <QString>
#include <QWidget>
#include <vector>

#include "platform/DrawSurface.h"

namespace tallyo {

class Form : public QWidget {
  Q_OBJECT
 public:
  // parent, when given, owns the window; the form is still a window of its own.
  Form(QWidget* parent, int clientWidthTwips, int clientHeightTwips, Colour background);

  struct LineControl {
    QString name;
    QLine line;  // logical pixels
  };

  // A 1-pixel solid black line between two points given in twips, both end points drawn.
  void AddLine(const QString& name, int x1, int y1, int x2, int y2);
  const std::vector<LineControl>& Lines() const { return lines_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<LineControl> lines_;
};

}  // namespace tallyo
