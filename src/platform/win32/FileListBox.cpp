#include "FileListBox.h"

#include <string>

#include "MessageLoop.h"
#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

FileListBox::FileListBox(const ControlPlace& place) : ListBox(place) {
  systemProcedure_ = reinterpret_cast<decltype(systemProcedure_)>(SetWindowLongPtrW(
      Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListBox::ListProcedure)));
  SetPattern(place.row.caption);
}

FileListBox::~FileListBox() { Unwatch(); }

// LB_ERR, when no line is chosen, is -1.
int FileListBox::ChosenLine() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

int FileListBox::TopLine() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
}

bool FileListBox::LineInView(int line) const {
  RECT client{}, entry{};
  GetClientRect(Handle(), &client);
  return SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(line),
                      reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
         entry.top >= client.top && entry.bottom <= client.bottom;
}

void FileListBox::Watch(const std::string& /*folder*/, const std::string& parent) {
  // One watch over the parent and everything below it, the folder's names among them: a
  // watch held on the folder itself would keep a removed folder from going until the
  // watch ended.
  if (watch_ && parent == watched_) return;
  Unwatch();
  watched_ = parent;
  std::wstring path;
  if (parent.empty() || SystemPath(parent, path) != NO_ERROR) return;
  watch_ = FindFirstChangeNotificationW(path.c_str(), TRUE,
                                        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
  if (watch_ == INVALID_HANDLE_VALUE) {
    watch_ = nullptr;
    return;
  }
  WaitAlsoFor(watch_, [this] {
    if (!FindNextChangeNotification(watch_)) Unwatch();
    FolderChanged();
  });
}

void FileListBox::Unwatch() {
  if (!watch_) return;
  StopWaitingFor(watch_);
  FindCloseChangeNotification(watch_);
  watch_ = nullptr;
}

void FileListBox::OnCommand(int code) {
  if (code == LBN_SELCHANGE) ChoiceChanged();
}

long long FileListBox::ListProcedure(WindowHandle hwnd, unsigned message, unsigned long long wParam,
                                     long long lParam) {
  auto* self = dynamic_cast<FileListBox*>(Control::Of(hwnd));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto system = reinterpret_cast<WNDPROC>(self->systemProcedure_);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // On an entry the low word is its index and the high word 0; below the last
      // entry the high word is 1.
      self->Pressed(HIWORD(CallWindowProcW(system, hwnd, LB_ITEMFROMPOINT, 0, lParam)) == 0);
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcW(system, hwnd, message, wParam, lParam);
      self->PressEnded(true);
      return result;
    }
    case WM_CAPTURECHANGED:
      // The press ends without a release for the list (another window took the mouse).
      if (reinterpret_cast<HWND>(lParam) != hwnd) self->PressEnded(false);
      break;
    default:
      break;
  }
  return CallWindowProcW(system, hwnd, message, wParam, lParam);
}

}  // namespace tallyo
