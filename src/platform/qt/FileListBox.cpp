#include "FileListBox.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <algorithm>
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
  return chosen.isEmpty() ? std::string() : names_[static_cast<std::size_t>(row(chosen.front()))];
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
  std::vector<std::string> names = ListFolder(path_, EntryKind::kFiles, pattern_);
  if (keep && names == names_) return;
  // The chosen entry and the one at the top are found again by their names.
  const auto rowOf = [&names](const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
  };
  const int chosen = keep ? rowOf(FileName()) : -1;
  const QListWidgetItem* top = keep ? itemAt(1, 1) : nullptr;
  const int topRow = top ? rowOf(names_[static_cast<std::size_t>(row(top))]) : -1;
  const bool chosenInView =
      chosen >= 0 && viewport()->rect().contains(visualItemRect(selectedItems().front()));
  filling_ = true;
  clear();
  names_ = std::move(names);
  // A name that is not valid UTF-8 shows each stray byte as U+FFFD; its row still opens
  // the file of exactly that name.
  for (const std::string& name : names_) addItem(QString::fromUtf8(name));
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
