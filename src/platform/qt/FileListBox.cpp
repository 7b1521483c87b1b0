#include "FileListBox.h"

#include <QFileInfo>
#include <QMouseEvent>

namespace tallyo {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setUniformItemSizes(true);
  // A new selection, by the mouse or the keyboard, chooses the file. The focus alone
  // moves the current row without selecting and so chooses nothing.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] { ChoiceChanged(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FolderChanged(); });
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  // Any button chooses the entry under it.
  Pressed(indexAt(event->position().toPoint()).isValid());
  QListWidget::mousePressEvent(event);
}

void FileListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  PressEnded(true);
}

void FileListBox::ShowLines(const std::vector<std::string>& names, int chosen, int top,
                            bool chosenInView) {
  clear();
  for (const std::string& name : names) addItem(QString::fromUtf8(name));
  setCurrentRow(chosen);
  if (top >= 0) scrollToItem(item(top), QAbstractItemView::PositionAtTop);
  if (chosenInView) scrollToItem(item(chosen));
}

int FileListBox::ChosenLine() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? -1 : row(chosen.front());
}

int FileListBox::TopLine() const {
  const QListWidgetItem* top = itemAt(1, 1);
  return top ? row(top) : -1;
}

bool FileListBox::LineInView(int line) const {
  return viewport()->rect().contains(visualItemRect(item(line)));
}

void FileListBox::Watch(const std::string& folder, const std::string& parent) {
  QStringList wanted;
  for (const std::string& path : {folder, parent})
    if (!path.empty()) wanted << QString::fromStdString(path);
  for (const QString& path : watcher_.directories())
    if (!wanted.contains(path)) watcher_.removePath(path);
  // A folder that is removed leaves the watch; once made again it is watched again.
  for (const QString& path : wanted)
    if (!watcher_.directories().contains(path) && QFileInfo(path).isDir()) watcher_.addPath(path);
}

}  // namespace tallyo
