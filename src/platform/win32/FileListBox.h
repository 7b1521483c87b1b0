#pragma once
// A list of the files of one folder whose names match a pattern (without regard to case),
// sorted by name and shown as bare file names. Choosing an entry by a click reports its
// file name once, when the button is released, so that the handling (which may show a
// modal message) runs outside the list's own press handling; moving the choice with the
// keyboard reports at once, and a click on the entry already chosen reports it again.

#include <functional>
#include <string>
#include <string_view>

#include "ListBox.h"

namespace tallyo {

class FileListBox : public ListBox {
 public:
  explicit FileListBox(const ControlPlace& place);

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
  void Refill();
  void Report();

  std::string pattern_ = "*.*";
  std::string path_;
  long long (*systemProcedure_)(WindowHandle, unsigned, unsigned long long, long long) = nullptr;
  bool pressing_ = false;
  bool pressedOnEntry_ = false;
};

// Whether name matches pattern, where '*' stands for any run of characters and '?' for
// any one, without regard to case. Only the whole name counts, unlike the system's own
// search, which also matches the short 8.3 names ("*.txt" would list "a.txt1").
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);

}  // namespace tallyo
