#pragma once
// A label: text only, painted over the window's own background (no fill of its own),
// aligned to the top of its rectangle like the labels of the layouts.

#include <QLabel>
#include <string>
#include <string_view>

namespace tallyo {

class Label : public QLabel {
  Q_OBJECT
 public:
  explicit Label(QWidget* parent = nullptr);

  void SetAlignment(Qt::Alignment horizontal);
  void SetTextColour(const QColor& colour);
  void SetCaption(std::string_view caption);
  // UTF-8.
  std::string Caption() const { return text().toStdString(); }
};

}  // namespace tallyo
