#include "DirListBox.h"

#include <QDir>

namespace tallyo {

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void DirListBox::SetPath(const QString& folder) {
  if (folder == path_) return;
  path_ = folder;
  Refill();
  if (onChange) onChange();
}

void DirListBox::Refill() {
  clear();
  addItem(QDir::toNativeSeparators(path_));
  const QDir dir(path_, QString(), QDir::Name | QDir::IgnoreCase,
                 QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : dir.entryList()) addItem(QStringLiteral("  ") + name);
  setCurrentRow(0);
}

}  // namespace tallyo
