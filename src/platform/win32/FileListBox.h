#pragma once
// A list of the files of one folder whose names match a pattern, as the system lists them
// (platform/FolderListing.h), shown as bare file names. Choosing an entry by a click
// reports its file name once, when the button is released, so that the handling (which may
// show a modal message) runs outside the list's own press handling; moving the choice with
// the keyboard reports at once, and a click on the entry already chosen reports it again.
//
// The list follows its folder: the system signals each name that comes or goes in the
// folder's parent and below it (not changes to a file's contents), the message loop waits
// for that signal beside the messages, and the list is then made anew with the chosen
// entry and the entry at the top kept where they are, reporting nothing. So a folder that
// is removed and made again is followed again. A folder whose parent the system cannot
// watch keeps the list it had.

#include <functional>
#include <string>

#include "ListBox.h"

namespace tallyo {

class FileListBox : public ListBox {
 public:
  explicit FileListBox(const ControlPlace& place);
  ~FileListBox() override;

  void SetPattern(std::string pattern);
  const std::string& Pattern() const { return pattern_; }

  // Lists the matching files of folder (UTF-8); nothing is chosen afterwards. A folder
  // that does not exist or cannot be read gives an empty list.
  void SetPath(std::string folder);
  const std::string& Path() const { return path_; }

  // The chosen entry's file name without folder (UTF-8); empty when none is chosen.
  std::string FileName() const;

  std::function<void(const std::string& fileName)> onClick;

  void OnCommand(int code) override;

 private:
  // The list's window procedure, ahead of the system's: it watches the mouse button.
  static long long ListProcedure(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                                 long long lParam);
  // Lists the folder again: afresh, or keeping the choice and the view.
  void Refill(bool keep);
  void Watch();
  void Unwatch();

  std::string pattern_;
  std::string path_;
  long long (*systemProcedure_)(WindowHandle, unsigned, unsigned long long, long long) = nullptr;
  bool pressing_ = false;
  bool pressedOnEntry_ = false;
  void* watch_ = nullptr;  // the change notification, when the folder is watched
};

}  // namespace tallyo
