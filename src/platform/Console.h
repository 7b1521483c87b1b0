#pragma once
// What a program without windows (the report) has of the system it runs on: its standard
// output and error, and, when it was started without a console (a double-click on
// Windows), a message box and the user's default program for a file. Each system's
// Console.cpp gives the real one; tests make their own.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Failure.h"

namespace tallyo {

struct Console {
  // Started without a console of its own to write to: nobody reads standard output, so
  // the program tells the user in message boxes instead.
  bool withoutConsole = false;
  // UTF-8 bytes to standard output, unchanged (a table's CR LF stays CR LF).
  std::function<Failure(std::string_view bytes)> writeOutput;
  // UTF-8 text to standard error, its lines ended by '\n'.
  std::function<void(std::string_view text)> writeError;
  // A modal message box with the title, the text and one OK button.
  std::function<void(std::string_view title, std::string_view text)> showMessage;
  // Opens the file as a double-click on it would, with the user's default program.
  std::function<Failure(const std::string& path)> openWithDefaultProgram;
};

// This process's console as the system gives it. On Windows, a console made for this
// process alone (Explorer starts a console program in a new one) counts as none: it is
// given back at once, so its empty window closes. On Linux there is always one: a
// program that writes into a pipe or a file cannot be told from one started by a file
// manager, so standard output is always the place.
Console SystemConsole();

// The report program (report/), which each system's entry runs with the arguments after
// the program's name, in UTF-8; gives the exit status.
int RunReport(const std::vector<std::string>& arguments);

}  // namespace tallyo
