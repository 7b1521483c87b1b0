#include "DirListBox.h"

#include <QDir>
#include <utility>

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
  const QDir dir(path, QString(), QDir::Name | QDir::IgnoreCase, QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : dir.entryList()) addItem(QStringLiteral("  ") + name);
  setCurrentRow(0);
}

}  // namespace tallyo
