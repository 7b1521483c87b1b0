#pragma once
// A directory list: holds one folder and reports each change of it. It shows the folder
// and the folders inside it.

#include <QListWidget>
#include <functional>
#include <string>

namespace tallyo {

class DirListBox : public QListWidget {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;

  // Setting a different folder runs the change handling at once, nested; setting the same
  // folder again runs nothing. A folder that does not exist is held all the same and
  // shows no subfolders.
  void SetPath(std::string folder);
  const std::string& Path() const { return path_; }

  std::function<void()> onChange;

 private:
  std::string path_;
};

}  // namespace tallyo
