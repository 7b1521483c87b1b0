#include "platform/Console.h"

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// Wine gives a program that a terminal of the host starts a console of its own too, and
// that terminal shows it.
bool UnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Whether anybody reads what the program writes to standard output: not when there is no
// standard output at all, nor when it is a console the system made for this process
// alone, as Explorer does for a console program it starts (under Wine such a console is
// the host's terminal). A pipe, a file or a console shared with the program that started
// this one (a command prompt) is read.
bool NobodyReadsStandardOutput() {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return true;
  DWORD mode = 0;
  if (!::GetConsoleMode(out, &mode)) return false;
  DWORD processes[2] = {};
  return ::GetConsoleProcessList(processes, 2) == 1 && !UnderWine();
}

// Writes all of bytes to the handle: UTF-16 into a console, which shows every character
// that way, the bytes themselves into a pipe or a file. The system's reason when it cannot.
std::optional<DWORD> WriteAll(HANDLE h, std::string_view bytes) {
  DWORD mode = 0;
  if (::GetConsoleMode(h, &mode)) {
    const std::wstring text = WideFromUtf8(bytes).value_or(L"\xFFFD");
    std::wstring_view rest = text;
    while (!rest.empty()) {
      DWORD written = 0;
      if (!::WriteConsoleW(h, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr)) {
        return ::GetLastError();
      }
      if (written == 0) return ERROR_WRITE_FAULT;
      rest.remove_prefix(written);
    }
    return std::nullopt;
  }
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return ::GetLastError();
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

// Lines ended by CR LF, as Windows programs write them.
std::string WithCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

Failure Open(const std::string& path) {
  std::wstring wide;
  if (const DWORD error = SystemPath(path, wide); error != NO_ERROR) {
    return "Cannot open \"" + path + "\": " + SystemMessage(error);
  }
  wide = WithoutLongPathPrefix(wide);
  // Shell extensions that open a file may be COM objects. The program ends right after,
  // so the call waits until the file has been handed over.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_NOASYNC;
  open.lpFile = wide.c_str();
  open.nShow = SW_SHOWNORMAL;
  const BOOL opened = ::ShellExecuteExW(&open);
  const DWORD error = opened ? NO_ERROR : ::GetLastError();
  if (SUCCEEDED(com)) ::CoUninitialize();
  if (opened) return std::nullopt;
  return "Cannot open \"" + path + "\": " + SystemMessage(error);
}

}  // namespace

Console SystemConsole() {
  Console console;
  console.withoutConsole = NobodyReadsStandardOutput();
  // The empty console window Explorer opened for the program closes at once.
  if (console.withoutConsole) ::FreeConsole();
  console.writeOutput = [](std::string_view bytes) -> Failure {
    if (const auto error = WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), bytes)) {
      return "Cannot write the standard output: " + SystemMessage(*error);
    }
    return std::nullopt;
  };
  // Nothing is left to tell about a standard error that cannot be written.
  console.writeError = [](std::string_view text) {
    const HANDLE h = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    (void)WriteAll(h, ::GetConsoleMode(h, &mode) ? std::string(text) : WithCrLf(text));
  };
  console.showMessage = [](std::string_view title, std::string_view text) {
    ::MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_SETFOREGROUND);
  };
  console.openWithDefaultProgram = Open;
  return console;
}

}  // namespace tallyo
