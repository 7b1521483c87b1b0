#include "FileListBox.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <utility>

#include "platform/FolderListing.h"

namespace tallyo {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setUniformItemSizes(true);
  // A new selection, by the mouse or the keyboard, chooses the file. The focus alone
  // moves the current row without selecting and so chooses nothing.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_ || selectedItems().isEmpty()) return;
    if (pressing_) {
      reportOnRelease_ = true;
    } else if (onClick) {
      onClick(FileName());
    }
  });
  // A click on the entry already chosen changes no selection but chooses it again.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid() && item(index.row())->isSelected()) reportOnRelease_ = true;
  });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    Watch();
    Refill(true);
  });
}

void FileListBox::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill(false);
}

void FileListBox::SetPath(std::string folder) {
  path_ = std::move(folder);
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
  Watch();
  Refill(false);
}

std::string FileListBox::FileName() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? std::string() : chosen.front()->text().toStdString();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  pressing_ = true;
  reportOnRelease_ = false;
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const bool report = pressing_ && reportOnRelease_;
  pressing_ = false;
  reportOnRelease_ = false;
  if (report && onClick) onClick(FileName());
}

void FileListBox::Refill(bool keep) {
  QStringList names, shown;
  for (const std::string& name : ListFolder(path_, EntryKind::kFiles, pattern_))
    names << QString::fromStdString(name);
  for (int i = 0; i < count(); ++i) shown << item(i)->text();
  if (keep && names == shown) return;
  // The chosen entry and the one at the top are found again by their names.
  const int chosen =
      keep ? static_cast<int>(names.indexOf(QString::fromStdString(FileName()))) : -1;
  const QListWidgetItem* top = keep ? itemAt(1, 1) : nullptr;
  const int topRow = top ? static_cast<int>(names.indexOf(top->text())) : -1;
  const bool chosenInView =
      chosen >= 0 && viewport()->rect().contains(visualItemRect(selectedItems().front()));
  filling_ = true;
  clear();
  addItems(names);
  setCurrentRow(chosen);
  if (topRow >= 0) scrollToItem(item(topRow), QAbstractItemView::PositionAtTop);
  if (chosenInView) scrollToItem(item(chosen));
  filling_ = false;
}

void FileListBox::Watch() {
  if (path_.empty()) return;
  const QString folder = QString::fromStdString(path_);
  for (const QString& path : {folder, QFileInfo(folder).absolutePath()}) {
    if (!watcher_.directories().contains(path) && QFileInfo(path).isDir()) {
      watcher_.addPath(path);
    }
  }
}

}  // namespace tallyo
