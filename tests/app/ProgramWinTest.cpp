// The program file itself, started as a user starts it: from a folder of its own with the
// logs beside it. The viewer is the first window; closing it shows the start window, whose
// Exit ends the program with exit code 0.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Drive.h"
#include "support/ProgramRun.h"
#include "support/TempLogFolder.h"
#include "support/TestDay.h"

namespace tallyo::test {
namespace {

struct Found {
  DWORD process;
  const wchar_t* windowClass;
  HWND window = nullptr;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lParam) {
  auto& found = *reinterpret_cast<Found*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (process != found.process || lstrcmpW(name, found.windowClass) != 0) return TRUE;
  found.window = hwnd;
  return FALSE;
}

// The top-level window of that class and process once it is visible, or nullptr after a
// few seconds.
HWND WaitForVisibleWindow(DWORD process, const wchar_t* windowClass) {
  for (int i = 0; i < 1500; ++i) {
    Found found{process, windowClass};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
    if (found.window && IsWindowVisible(found.window)) return found.window;
    Sleep(10);
  }
  return nullptr;
}

// Starts program from its folder, checks that the viewer comes first with `files` day files
// listed, closes it, checks that the start window follows, and exits from there.
void RunAsAUserWould(const std::filesystem::path& program, LRESULT files) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_EQ(StartProcess(program.c_str(), commandLine, FALSE, 0, nullptr, startup, started),
            DWORD{NO_ERROR});
  CloseHandle(started.hThread);
  // A program left running by a failed step is ended with the test.
  struct Ender {
    HANDLE process;
    ~Ender() {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      CloseHandle(process);
    }
  } ender{started.hProcess};

  HWND graph = WaitForVisibleWindow(started.dwProcessId, L"TallyoGraph");
  ASSERT_NE(graph, nullptr) << "the viewer did not appear";
  EXPECT_EQ(WindowText(graph), "Graph");
  // The logs beside the program are listed.
  EXPECT_EQ(SendMessageW(GetDlgItem(graph, 102), LB_GETCOUNT, 0, 0), files);
  Found front{started.dwProcessId, L"TallyoFrontpiece"};
  EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&front));
  ASSERT_NE(front.window, nullptr);
  EXPECT_FALSE(IsWindowVisible(front.window));

  PostMessageW(graph, WM_CLOSE, 0, 0);
  HWND shown = WaitForVisibleWindow(started.dwProcessId, L"TallyoFrontpiece");
  ASSERT_EQ(shown, front.window) << "the start window did not appear";
  PostMessageW(GetDlgItem(shown, 101), BM_CLICK, 0, 0);

  ASSERT_EQ(WaitForSingleObject(started.hProcess, 15000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(started.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

TEST(ProgramWinTest, ViewerFirstThenTheStartWindowThenExitCodeZero) {
  const std::filesystem::path program = NativePath(BuiltProgram("Tallyo_viewer"));
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "no program file " << program;
  TempLogFolder folder;
  folder.WriteLog("2026-11-25.txt", TestDay(50));
  const std::filesystem::path copy = NativePath(folder.ProgramFolder()) / L"Tallyo_viewer.exe";
  std::filesystem::copy_file(program, copy);
  RunAsAUserWould(copy, 1);
}

// The program as the zip delivers it, unpacked by the windows stage of ./test, which names
// it in TALLYO_PACKED_PROGRAM; its logs folder holds the four sample days.
TEST(ProgramWinTest, PackedProgramRunsOnItsSampleDays) {
  const wchar_t* packed = _wgetenv(L"TALLYO_PACKED_PROGRAM");
  if (!packed || !*packed) GTEST_SKIP() << "no unpacked zip named in TALLYO_PACKED_PROGRAM";
  const std::filesystem::path program(packed);
  ASSERT_TRUE(std::filesystem::exists(program)) << program;
  ASSERT_TRUE(std::filesystem::is_directory(program.parent_path() / L"logs"));
  RunAsAUserWould(program, 4);
}

}  // namespace
}  // namespace tallyo::test
