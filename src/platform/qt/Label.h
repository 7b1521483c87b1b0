#pragma once
// A label: text only, painted over the window's own background (no fill of its own),
// aligned to the top of its rectangle like the labels of the layouts. Text that does not
// fit is cut at the label's edges rather than pushed onto lines below the rectangle.

#include <QLabel>
#include <string>
#include <string_view>

#include "platform/Toolkit.h"

namespace tallyo {

class Label : public QLabel {
  Q_OBJECT
 public:
  explicit Label(QWidget* parent = nullptr) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    SetAlignment(Qt::AlignLeft);
  }

  void SetAlignment(Qt::Alignment horizontal) {
    setAlignment((horizontal & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
  }
  void SetTextColour(const QColor& colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
  }
  // A caption need not be valid UTF-8 (a file name may hold any bytes): it is kept as it is
  // given, and the label shows each stray byte as U+FFFD.
  void SetCaption(std::string_view caption) {
    caption_ = caption;
    setText(QString::fromUtf8(caption));
  }
  std::string Caption() const { return caption_; }

 private:
  std::string caption_;
};

static_assert(LabelControl<Label>);

}  // namespace tallyo
