#pragma once
// The report run in the test's own process on a temporary program folder, with a console
// that keeps what the report writes and shows.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/Console.h"
#include "report/Report.h"
#include "support/TempLogFolder.h"

namespace tallyo::test {

class ReportFixture : public ::testing::Test {
 protected:
  // Runs the report with the arguments, started from a console or (withoutConsole) as by a
  // double-click; gives its exit status.
  int Run(const std::vector<std::string>& arguments, bool withoutConsole = false) {
    out_.clear();
    err_.clear();
    boxes_.clear();
    opened_.clear();
    Console console;
    console.withoutConsole = withoutConsole;
    console.writeOutput = [this](std::string_view bytes) -> Failure {
      out_ += bytes;
      return std::nullopt;
    };
    console.writeError = [this](std::string_view text) { err_ += text; };
    console.showMessage = [this](std::string_view title, std::string_view text) {
      boxes_.emplace_back(std::string(title), std::string(text));
    };
    console.openWithDefaultProgram = [this](const std::string& path) -> Failure {
      opened_.push_back(path);
      return openFailure_;
    };
    return Report(arguments, folder_.ProgramFolder(), console);
  }

  TempLogFolder folder_;
  std::string out_;                                         // standard output
  std::string err_;                                         // standard error
  std::vector<std::pair<std::string, std::string>> boxes_;  // title and text of each
  std::vector<std::string> opened_;                         // with the default program
  Failure openFailure_;  // what opening a file with the default program gives
};

}  // namespace tallyo::test
