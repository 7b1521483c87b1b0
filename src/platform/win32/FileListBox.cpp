#include "FileListBox.h"

#include <utility>
#include <variant>

#include "MessageLoop.h"
#include "Win32Api.h"
#include "platform/FolderListing.h"
#include "platform/windows/WideText.h"

namespace tallyo {

FileListBox::FileListBox(const ControlPlace& place) : ListBox(place) {
  systemProcedure_ = reinterpret_cast<decltype(systemProcedure_)>(SetWindowLongPtrW(
      Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListBox::ListProcedure)));
}

FileListBox::~FileListBox() {
  Unwatch(0);
  Unwatch(1);
}

void FileListBox::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill(false);
}

void FileListBox::SetPath(std::string folder) {
  path_ = std::move(folder);
  Unwatch(0);
  Unwatch(1);
  Watch();
  Refill(false);
}

std::string FileListBox::FileName() const {
  const int chosen = Chosen();
  return chosen < 0 ? std::string() : LineText(chosen);
}

void FileListBox::Refill(bool keep) {
  if (!keep) pressing_ = false;
  Fill(ListFolder(path_, EntryKind::kFiles, pattern_), keep);
}

void FileListBox::Watch() {
  const std::string parent = path_.substr(0, path_.find_last_of("\\/"));
  const std::string* folders[2] = {&path_, &parent};
  const DWORD changes[2] = {FILE_NOTIFY_CHANGE_FILE_NAME, FILE_NOTIFY_CHANGE_DIR_NAME};
  for (int i = 0; i < 2; ++i) {
    const auto path = SystemPath(*folders[i]);
    if (watches_[i] || path_.empty() || !std::holds_alternative<std::wstring>(path)) continue;
    HANDLE watch =
        FindFirstChangeNotificationW(std::get<std::wstring>(path).c_str(), FALSE, changes[i]);
    if (watch == INVALID_HANDLE_VALUE) continue;
    watches_[i] = watch;
    WaitAlsoFor(watch, [this, i] { OnSignal(i); });
  }
}

void FileListBox::OnSignal(int watch) {
  // A folder's watch ends when the folder goes. A change of folder names beside the folder
  // may be the folder going or coming back: its watch is then made anew.
  if (!FindNextChangeNotification(watches_[watch])) Unwatch(watch);
  if (watch == 1) Unwatch(0);
  Watch();
  Refill(true);
}

void FileListBox::Unwatch(int watch) {
  if (!watches_[watch]) return;
  StopWaitingFor(watches_[watch]);
  FindCloseChangeNotification(watches_[watch]);
  watches_[watch] = nullptr;
}

void FileListBox::Report() {
  if (onClick) onClick(FileName());
}

void FileListBox::OnCommand(int code) {
  // A choice made by the mouse is reported at the release.
  if (code == LBN_SELCHANGE && !pressing_ && Chosen() >= 0) Report();
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
      if (report) self->Report();
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
