// The program's run, watched and driven from a second thread as a tool outside the
// program would, closing both windows by their Exit buttons or by their title bars' close
// controls: the viewer is the first window on screen, modal over the hidden start window
// that owns it; the start window appears only once the viewer is gone; closing it ends
// the program with exit code 0.

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Toolkit.h"
#include "support/WindowDriver.h"

namespace tallyo::test {
namespace {

// How the test closes a window: its Exit button or the close control of its title bar,
// each either posted to the window's queue, as the user's click or Alt+F4 arrives, or sent
// straight to it, as automation tools deliver BM_CLICK and WM_SYSCOMMAND.
struct Closing {
  const char* name;
  bool byExitButton;
  bool sent;
};

HWND Visible(const wchar_t* windowClass) {
  HWND hwnd = FindOwnWindow(windowClass);
  return hwnd && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

void CloseWindow(HWND window, int exitId, const Closing& how) {
  HWND target = how.byExitButton ? ::GetDlgItem(window, exitId) : window;
  const UINT message = how.byExitButton ? BM_CLICK : WM_SYSCOMMAND;
  const WPARAM wParam = how.byExitButton ? 0 : SC_CLOSE;
  if (how.sent) {
    ::SendMessageW(target, message, wParam, 0);
  } else {
    ::PostMessageW(target, message, wParam, 0);
  }
}

class ProgramClosingWinTest : public ::testing::TestWithParam<Closing> {};

TEST_P(ProgramClosingWinTest, ViewerFirstThenTheStartWindowThenTheEnd) {
  const Closing& how = GetParam();
  std::vector<std::string> seen, faults;
  std::atomic<bool> finished = false;
  std::thread user([&] {
    using Clock = std::chrono::steady_clock;
    auto waitFor = [&](const std::function<bool()>& ready) {
      const auto deadline = Clock::now() + std::chrono::seconds(5);
      while (!ready()) {
        if (finished || Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      return true;
    };
    HWND viewer = nullptr, start = nullptr;
    if (!waitFor([&] { return (viewer = Visible(L"TallyoGraph")) != nullptr; })) {
      faults.push_back("the viewer never appeared");
    } else {
      seen.push_back("viewer");
      start = FindOwnWindow(L"TallyoFrontpiece");
      if (WindowText(viewer) != "Graph") faults.push_back("viewer caption " + WindowText(viewer));
      if (!start) faults.push_back("no start window loaded");
      if (start && ::IsWindowVisible(start)) faults.push_back("start window shown with viewer");
      if (start && ::GetWindow(viewer, GW_OWNER) != start)
        faults.push_back("viewer not owned by the start window");
      if (start && ::IsWindowEnabled(start)) faults.push_back("start window takes input");
      CloseWindow(viewer, Command2, how);
    }
    if (!waitFor([&] { return (start = Visible(L"TallyoFrontpiece")) != nullptr; })) {
      faults.push_back("the start window never appeared");
    } else {
      seen.push_back("start");
      if (FindOwnWindow(L"TallyoGraph")) faults.push_back("viewer still loaded");
      if (!::IsWindowEnabled(start)) faults.push_back("start window takes no input");
      CloseWindow(start, Exit, how);
    }
    // Whatever went wrong, the program is made to end so that the test cannot hang.
    if (!waitFor([&] { return finished.load(); })) {
      faults.push_back("the program did not end");
      for (const wchar_t* c : {L"TallyoGraph", L"TallyoFrontpiece"})
        if (HWND w = FindOwnWindow(c)) ::PostMessageW(w, WM_CLOSE, 0, 0);
    }
  });

  const int exitCode = RunProgram();
  finished = true;
  user.join();

  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"viewer", "start"}));
  EXPECT_EQ(faults, std::vector<std::string>{});
  EXPECT_EQ(FindOwnWindow(L"TallyoFrontpiece"), nullptr);
  EXPECT_EQ(FindOwnWindow(L"TallyoGraph"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Closings, ProgramClosingWinTest,
                         ::testing::Values(Closing{"ExitButtonsPosted", true, false},
                                           Closing{"CloseControlsPosted", false, false},
                                           Closing{"ExitButtonsSent", true, true},
                                           Closing{"CloseControlsSent", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyo::test
