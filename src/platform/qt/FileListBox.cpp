#include "FileListBox.h"

#include <QDir>
#include <QMouseEvent>
#include <utility>

namespace tallyo {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  // A new selection, by the mouse or the keyboard, chooses the file. The focus alone
  // moves the current row without selecting and so chooses nothing.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_ || selectedItems().isEmpty()) return;
    if (pressing_) {
      chosenByPress_ = true;
    } else {
      Report();
    }
  });
  // A click on the entry already chosen changes no selection but chooses it again.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid() && item(index.row())->isSelected()) clickedChosenEntry_ = true;
  });
}

void FileListBox::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill();
}

void FileListBox::SetPath(std::string folder) {
  path_ = std::move(folder);
  Refill();
}

std::string FileListBox::FileName() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? std::string() : chosen.front()->text().toStdString();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  pressing_ = true;
  chosenByPress_ = false;
  clickedChosenEntry_ = false;
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const bool report = pressing_ && (chosenByPress_ || clickedChosenEntry_);
  pressing_ = false;
  chosenByPress_ = false;
  clickedChosenEntry_ = false;
  if (report) Report();
}

void FileListBox::Refill() {
  filling_ = true;
  clear();
  if (!path_.empty()) {
    // Without QDir::CaseSensitive the pattern matches without regard to case.
    const QDir dir(QString::fromStdString(path_), QString::fromStdString(pattern_),
                   QDir::Name | QDir::IgnoreCase, QDir::Files);
    addItems(dir.entryList());
  }
  setCurrentRow(-1);
  filling_ = false;
}

void FileListBox::Report() {
  if (onClick) onClick(FileName());
}

}  // namespace tallyo
