#include "FileListBox.h"

#include <utility>

#include "MessageLoop.h"
#include "Win32Api.h"
#include "platform/FolderListing.h"
#include "platform/windows/WideText.h"

namespace tallyo {

FileListBox::FileListBox(const ControlPlace& place) : ListBox(place), pattern_(place.row.caption) {
  systemProcedure_ = reinterpret_cast<decltype(systemProcedure_)>(SetWindowLongPtrW(
      Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListBox::ListProcedure)));
}

FileListBox::~FileListBox() { Unwatch(); }

void FileListBox::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill(false);
}

void FileListBox::SetPath(std::string folder) {
  path_ = std::move(folder);
  Watch();
  Refill(false);
}

std::string FileListBox::FileName() const { return LineText(Chosen()); }

void FileListBox::Refill(bool keep) {
  if (!keep) pressing_ = false;
  Fill(ListFolder(path_, EntryKind::kFiles, pattern_), keep);
}

void FileListBox::Watch() {
  Unwatch();
  // One watch over the folder's parent and everything below it: the names of the folder's
  // files, and the folder itself going and coming back.
  std::wstring parent;
  if (SystemPath(path_.substr(0, path_.find_last_of("\\/") + 1), parent) != NO_ERROR) return;
  watch_ = FindFirstChangeNotificationW(parent.c_str(), TRUE,
                                        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
  if (watch_ == INVALID_HANDLE_VALUE) {
    watch_ = nullptr;
    return;
  }
  WaitAlsoFor(watch_, [this] {
    if (!FindNextChangeNotification(watch_)) Unwatch();
    Refill(true);
  });
}

void FileListBox::Unwatch() {
  if (!watch_) return;
  StopWaitingFor(watch_);
  FindCloseChangeNotification(watch_);
  watch_ = nullptr;
}

void FileListBox::OnCommand(int code) {
  // A choice made by the mouse is reported at the release.
  if (code == LBN_SELCHANGE && !pressing_ && Chosen() >= 0 && onClick) onClick(FileName());
}

long long FileListBox::ListProcedure(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                                     long long lParam) {
  auto* self = dynamic_cast<FileListBox*>(Control::Of(hwnd));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto system = reinterpret_cast<WNDPROC>(self->systemProcedure_);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // On an entry the low word is its index and the high word 0; below the last
      // entry the high word is 1.
      const LRESULT hit = CallWindowProcW(system, hwnd, LB_ITEMFROMPOINT, 0, lParam);
      self->pressing_ = true;
      self->pressedOnEntry_ = HIWORD(hit) == 0;
      break;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcW(system, hwnd, message, wParam, lParam);
      const bool report = self->pressing_ && self->pressedOnEntry_ && self->Chosen() >= 0;
      self->pressing_ = false;
      self->pressedOnEntry_ = false;
      if (report && self->onClick) self->onClick(self->FileName());
      return result;
    }
    case WM_CAPTURECHANGED:
      // The press ends without a release for the list (another window took the mouse).
      if (reinterpret_cast<HWND>(lParam) != hwnd) self->pressing_ = false;
      break;
    default:
      break;
  }
  return CallWindowProcW(system, hwnd, message, wParam, lParam);
}

}  // namespace tallyo
