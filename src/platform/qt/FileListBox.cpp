#include "FileListBox.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <set>
#include <utility>

#include "platform/FolderListing.h"

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

void FileListBox::Refill(bool keep) {
  const std::vector<std::string> names = ListFolder(path_, EntryKind::kFiles, pattern_);
  QStringList shown, listed;
  for (const std::string& name : names) shown << QString::fromStdString(name);
  for (int i = 0; i < count(); ++i) listed << item(i)->text();
  if (keep && shown == listed) return;
  filling_ = true;
  const QListWidgetItem* chosen = keep ? currentItem() : nullptr;
  const QString chosenName = chosen && chosen->isSelected() ? chosen->text() : QString();
  const bool chosenInView = chosen && viewport()->rect().contains(visualItemRect(chosen));
  const QListWidgetItem* top = keep ? itemAt(1, 1) : nullptr;
  const QString topName = top ? top->text() : QString();
  if (!keep) clear();
  // The entries that stay keep their order, so the new ones go between them.
  const std::set<QString> stay(shown.begin(), shown.end());
  for (int i = count(); i-- > 0;) {
    if (!stay.contains(item(i)->text())) delete takeItem(i);
  }
  for (int i = 0; i < shown.size(); ++i) {
    if (i == count() || item(i)->text() != shown[i]) insertItem(i, shown[i]);
  }
  const int chosenRow = chosenName.isEmpty() ? -1 : shown.indexOf(chosenName);
  setCurrentRow(chosenRow);
  if (chosenRow < 0) clearSelection();
  if (const int topRow = topName.isEmpty() ? -1 : shown.indexOf(topName); topRow >= 0) {
    scrollToItem(item(topRow), QAbstractItemView::PositionAtTop);
  }
  if (chosenInView && chosenRow >= 0) scrollToItem(item(chosenRow));
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

void FileListBox::Report() {
  if (onClick) onClick(FileName());
}

}  // namespace tallyo
