#pragma once
// The file list's rules, written once for every toolkit: the files of one folder that
// match a name pattern, as the system lists them (platform/FolderListing.h), shown as bare
// names. Each entry stands for the file of exactly the name the system gave, whatever the
// toolkit can show of it. Choosing an entry by the keyboard reports its name at once; a
// press on an entry reports the chosen one when the button is released, so that the
// handling (which may show a modal message) runs outside the list's own press handling, and
// a click on the entry already chosen reports it again.
//
// The list follows its folder: when a name comes or goes in the folder or in its parent
// (the folder itself going and coming back), but not when a file's contents change, it is
// made anew with the chosen entry and the entry at the top kept where they are, reporting
// nothing. A folder the system cannot watch keeps the list it had.
//
// A toolkit's file list derives from this class and translates: it shows the lines given,
// tells which is chosen and which at the top, watches the folders given, and hands on its
// presses, releases, choices and folder changes.

#include <functional>
#include <string>
#include <vector>

namespace tallyo {

class FileList {
 public:
  virtual ~FileList() = default;

  void SetPattern(std::string pattern);
  const std::string& Pattern() const { return pattern_; }
  // Lists the matching files of folder (UTF-8); nothing is chosen afterwards. A folder
  // that does not exist or cannot be read gives an empty list.
  void SetPath(std::string folder);
  const std::string& Path() const { return path_; }
  // The chosen entry's name, byte for byte as the system gave it; empty when none is.
  std::string FileName() const;

  std::function<void(const std::string& fileName)> onClick;

 protected:
  // A button went down on the list, on an entry or beside them.
  void Pressed(bool onEntry) { pressing_ = onEntry ? kOnEntry : kBeside; }
  // The button came up, or (released false) another window took the press.
  void PressEnded(bool released);
  // The user chose another entry.
  void ChoiceChanged() {
    if (!filling_ && pressing_ == kNone) Report();
  }
  // A name came or went in a watched folder.
  void FolderChanged() { Refill(true); }

  // Shows names in place of the lines shown, chooses line chosen (-1: none) without
  // reporting it and puts line top at the top (-1: anywhere); the chosen line is brought
  // into view only when chosenInView, as it was before.
  virtual void ShowLines(const std::vector<std::string>& names, int chosen, int top,
                         bool chosenInView) = 0;
  // The chosen line and the line at the top, or -1.
  virtual int ChosenLine() const = 0;
  virtual int TopLine() const = 0;
  virtual bool LineInView(int line) const = 0;
  // Watches folder and parent (either may be missing) in place of what was watched, and
  // calls FolderChanged at each change; called again after each, so that a folder made
  // anew is watched anew.
  virtual void Watch(const std::string& folder, const std::string& parent) = 0;

 private:
  // Watches and lists the folder again: afresh, or keeping the choice and the view.
  void Refill(bool keep);
  void Report() {
    if (ChosenLine() >= 0 && onClick) onClick(FileName());
  }

  std::string pattern_ = "*.*";
  std::string path_;
  std::vector<std::string> names_;  // the name of each line, as the system gave it
  bool filling_ = false;
  enum { kNone, kBeside, kOnEntry } pressing_ = kNone;
};

}  // namespace tallyo
