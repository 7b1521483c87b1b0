#pragma once
// The file list (platform/FileList.h) as a Qt list. A name that is not valid UTF-8 shows
// each stray byte as U+FFFD; its entry still stands for the file of exactly that name.
// The folder and its parent are watched by QFileSystemWatcher.

#include <QFileSystemWatcher>
#include <QListWidget>
#include <string>
#include <vector>

#include "platform/FileList.h"
#include "platform/Toolkit.h"

namespace tallyo {

class FileListBox : public QListWidget, public FileList {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  void ShowLines(const std::vector<std::string>& names, int chosen, int top,
                 bool chosenInView) override;
  int ChosenLine() const override;
  int TopLine() const override;
  bool LineInView(int line) const override;
  void Watch(const std::string& folder, const std::string& parent) override;

 private:
  QFileSystemWatcher watcher_;
};

static_assert(FileListBoxControl<FileListBox>);

}  // namespace tallyo
