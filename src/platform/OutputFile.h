#pragma once
// A file the program writes whole (the report's table): made anew, or emptied when it is
// there, then written from its start. Paths are UTF-8 text, as for LogFile.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace tallyo {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { (void)Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  Failure Create(const std::string& path);
  // Appends bytes after those written before, all of them or a failure.
  Failure Write(std::string_view bytes);
  // Lets the file go; a failure of the system to take what was written (a full disk on a
  // share) shows here.
  Failure Close();

 private:
  std::intptr_t handle_ = -1;  // the system's handle as an integer; -1 when closed
  std::string path_;
};

}  // namespace tallyo
