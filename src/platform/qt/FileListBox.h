#pragma once
// A list of the files of one folder that match a name pattern, as the system lists them
// (platform/FolderListing.h), shown as bare file names. Choosing an entry, by a click or by
// moving the selection with the keyboard, reports its file name; a click on the entry
// already chosen reports it again. A click reports when the button is released, so that
// the handling (which may show a modal message) runs outside the list's own press handling.
//
// The list follows its folder: the system tells of each name that comes or goes there or
// in its parent (not of changes to a file's contents), and the list is then made anew with
// the chosen entry and the entry at the top kept where they are, reporting nothing. So a
// folder that is removed and made again is followed again. A folder the system cannot
// watch keeps the list it had.

#include <QFileSystemWatcher>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

namespace tallyo {

class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);

  void SetPattern(std::string pattern);
  const std::string& Pattern() const { return pattern_; }

  // Lists the matching files of folder; nothing is chosen afterwards. A folder that does
  // not exist or cannot be read gives an empty list.
  void SetPath(std::string folder);
  const std::string& Path() const { return path_; }

  // The chosen entry's file name without folder, byte for byte as the system gave it;
  // empty when none is chosen.
  std::string FileName() const;

  std::function<void(const std::string& fileName)> onClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Lists the folder again: afresh, or keeping the choice and the view.
  void Refill(bool keep);
  void Watch();

  std::string pattern_ = "*.*";
  std::string path_;
  std::vector<std::string> names_;  // the file name of each row, as the system gave it
  QFileSystemWatcher watcher_;
  bool filling_ = false;
  bool pressing_ = false;
  // The press chose an entry, or the click was on the entry already chosen.
  bool reportOnRelease_ = false;
};

}  // namespace tallyo
