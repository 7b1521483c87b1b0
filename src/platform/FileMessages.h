#pragma once
// The sentences in which the file handling of either system reports a failure:
//   Cannot read the log file "<path>": <reason>
//   Cannot append to the log file "<path>": <reason>
// and, for a file the program writes (the report's table),
//   Cannot write "<path>": <reason>
// the reason in the system's own words.

#include <string>
#include <string_view>

namespace tallyo {

inline constexpr const char* kCannotRead = "Cannot read";
inline constexpr const char* kCannotAppend = "Cannot append to";

inline std::string FileFailure(const char* what, std::string_view path, std::string_view reason) {
  return std::string(what) + " the log file \"" + std::string(path) + "\": " + std::string(reason);
}

inline std::string OutputFailure(std::string_view path, std::string_view reason) {
  return "Cannot write \"" + std::string(path) + "\": " + std::string(reason);
}

}  // namespace tallyo
