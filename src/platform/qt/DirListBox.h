#pragma once
// The directory list (platform/DirList.h) as a Qt list.

#include <QListWidget>
#include <string>
#include <vector>

#include "platform/DirList.h"
#include "platform/Toolkit.h"

namespace tallyo {

class DirListBox : public QListWidget, public DirList {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;

 protected:
  void ShowLines(const std::vector<std::string>& lines) override {
    clear();
    for (const std::string& line : lines) addItem(QString::fromStdString(line));
    setCurrentRow(0);
  }
};

static_assert(DirListBoxControl<DirListBox>);

}  // namespace tallyo
