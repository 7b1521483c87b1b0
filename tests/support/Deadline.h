#pragma once
// How a test waits for what another thread, another process or the system does: never
// without end. Every wait polls and returns as soon as its condition holds, and gives up
// with a failure at a deadline sized for a busy machine (two cores shared with other
// builds, the tests run under qemu or Wine), far below ctest's time-out.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stop_token>
#include <thread>
#include <utility>

namespace tallyo::test {

// How long a test waits for something that takes a moment when the machine is idle: the
// folder watch reporting a change, a window appearing.
inline constexpr std::chrono::milliseconds kWaitLimit{10'000};

// For a wait that nothing in the test's own thread can end (a call that does not return):
// the test program ends here with a failure, rather than waiting for ctest's time-out.
[[noreturn]] inline void EndStuckTestProgram(const char* what) {
  std::fprintf(stderr, "FAILED: %s; the test program ends here\n", what);
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}

// A second thread of a test, always joined: when the test leaves early (a failed ASSERT in
// its own thread) the body is asked to stop through its stop_token, and waited for. The
// body's failures count for the test as those of the test's own thread do (GoogleTest
// collects them from every thread), an exception it throws is reported as a failure, and
// Ended() tells the test's thread that the body is over, however it ended, so that the
// test never waits for work that a failed ASSERT in the body has cut short.
class TestThread {
 public:
  template <typename Body>
  explicit TestThread(Body body)
      : thread_([this, body = std::move(body)](std::stop_token stop) mutable {
          try {
            body(std::move(stop));
          } catch (const std::exception& e) {
            ADD_FAILURE() << "the test's thread threw: " << e.what();
          } catch (...) {
            ADD_FAILURE() << "the test's thread threw";
          }
          ended_ = true;
        }) {}
  ~TestThread() { Join(); }
  TestThread(const TestThread&) = delete;
  TestThread& operator=(const TestThread&) = delete;

  bool Ended() const { return ended_; }
  // Asks the body to stop and waits for it.
  void Join() {
    if (!thread_.joinable()) return;
    thread_.request_stop();
    thread_.join();
  }

 private:
  std::atomic<bool> ended_{false};
  std::jthread thread_;  // last: starts once ended_ exists
};

}  // namespace tallyo::test
