#include "FileListBox.h"

#include <utility>

#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
  auto fold = [](wchar_t c) {
    return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(c)))));
  };
  // The usual greedy match with one point to come back to after a '*'.
  std::size_t n = 0, p = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || fold(pattern[p]) == fold(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

FileListBox::FileListBox(const ControlPlace& place) : ListBox(place) {
  systemProcedure_ = reinterpret_cast<decltype(systemProcedure_)>(SetWindowLongPtrW(
      Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListBox::ListProcedure)));
}

void FileListBox::SetPattern(std::string pattern) {
  pattern_ = std::move(pattern);
  Refill();
}

void FileListBox::SetPath(std::string folder) {
  path_ = std::move(folder);
  Refill();
}

std::string FileListBox::FileName() const {
  const int chosen = Chosen();
  return chosen < 0 ? std::string() : Narrow(LineText(chosen));
}

void FileListBox::Refill() {
  pressing_ = false;
  std::vector<std::wstring> files = FolderEntries(path_, false);
  const std::wstring pattern = Widen(pattern_);
  std::erase_if(files, [&](const std::wstring& name) { return !MatchesPattern(name, pattern); });
  Fill(files);
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
