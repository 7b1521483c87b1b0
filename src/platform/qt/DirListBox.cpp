#include "DirListBox.h"

#include <QDir>
#include <utility>

#include "platform/FolderListing.h"

namespace tallyo {

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DirListBox::SetPath(std::string folder) {
  if (folder == path_) return;
  path_ = std::move(folder);
  Refill();
  if (onChange) onChange();
}

void DirListBox::Refill() {
  clear();
  const QString path = QString::fromStdString(path_);
  addItem(QDir::toNativeSeparators(path));
  for (const std::string& name : ListFolder(path_, EntryKind::kFolders))
    addItem(QStringLiteral("  ") + QString::fromStdString(name));
  setCurrentRow(0);
}

}  // namespace tallyo
