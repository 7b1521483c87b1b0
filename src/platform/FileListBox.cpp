#include "platform/FileListBox.h"

#include <QDir>
#include <QMouseEvent>

namespace tallyo {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  // A new selection, by the mouse or the keyboard, chooses the file. The focus alone
  // moves the current row without selecting and so chooses nothing.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_ || selectedItems().isEmpty()) return;
    reportedSincePress_ = true;
    Report();
  });
  // A click on the entry already chosen changes no selection but chooses it again.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    const bool alreadyReported = reportedSincePress_;
    reportedSincePress_ = false;
    if (!alreadyReported && index.isValid() && item(index.row())->isSelected()) Report();
  });
}

void FileListBox::SetPattern(const QString& pattern) {
  pattern_ = pattern;
  Refill();
}

void FileListBox::SetPath(const QString& folder) {
  path_ = folder;
  Refill();
}

QString FileListBox::FileName() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? QString() : chosen.front()->text();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  reportedSincePress_ = false;
  QListWidget::mousePressEvent(event);
}

void FileListBox::Refill() {
  filling_ = true;
  clear();
  if (!path_.isEmpty()) {
    // Without QDir::CaseSensitive the pattern matches without regard to case.
    const QDir dir(path_, pattern_, QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(dir.entryList());
  }
  setCurrentRow(-1);
  filling_ = false;
}

void FileListBox::Report() {
  if (onClick) onClick(FileName());
}

}  // namespace tallyo
