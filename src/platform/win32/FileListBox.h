#pragma once
// The file list (platform/FileList.h) as a LISTBOX. Names are carried in UTF-16, a name
// that is no valid UTF-16 in the generalised UTF-8 of platform/windows/WideText.h, so
// that every entry converts back to the system's name. The system signals each name that
// comes or goes, and the message loop waits for that signal beside the messages.

#include <string>
#include <vector>

#include "ListBox.h"
#include "platform/FileList.h"
#include "platform/Toolkit.h"

namespace tallyo {

class FileListBox : public ListBox, public FileList {
 public:
  // The row's caption is the file name pattern.
  explicit FileListBox(const ControlPlace& place);
  ~FileListBox() override;

  void OnCommand(int code) override;

 protected:
  void ShowLines(const std::vector<std::string>& names, int chosen, int top,
                 bool chosenInView) override {
    Fill(names, chosen, top, chosenInView);
  }
  int ChosenLine() const override;
  int TopLine() const override;
  bool LineInView(int line) const override;
  void Watch(const std::string& folder, const std::string& parent) override;

 private:
  // The list's window procedure, ahead of the system's: it watches the mouse button.
  static long long ListProcedure(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                                 long long lParam);
  void Unwatch();

  long long (*systemProcedure_)(WindowHandle, unsigned, unsigned long long, long long) = nullptr;
  std::string watched_;    // the folder watched
  void* watch_ = nullptr;  // its change notification, when it is watched
};

static_assert(FileListBoxControl<FileListBox>);

}  // namespace tallyo
