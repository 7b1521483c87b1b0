#include "DirListBox.h"

#include <QDir>
#include <utility>

#include "platform/FolderListing.h"

namespace tallyo {

void DirListBox::SetPath(std::string folder) {
  if (folder == path_) return;
  path_ = std::move(folder);
  clear();
  addItem(QDir::toNativeSeparators(QString::fromStdString(path_)));
  for (const std::string& name : ListFolder(path_, EntryKind::kFolders))
    addItem(QStringLiteral("  ") + QString::fromStdString(name));
  setCurrentRow(0);
  if (onChange) onChange();
}

}  // namespace tallyo
