#pragma once
// Files of the program: the log file is appended to and read whole in one go. Paths are
// UTF-8 text; each system's implementation hands them to the system in its own form.

#include <optional>
#include <string>

#include "platform/FileBuffer.h"

namespace tallyo {

// Appends one empty line (CR LF) to the file at path, creating it when missing, then
// reads the whole file into out. On failure returns a sentence naming the file and the
// reason; a file that cannot be read is not appended to, so a failure leaves its bytes
// as they were.
std::optional<std::string> AppendEmptyLineAndRead(const std::string& path, FileBuffer& out);

// The sentence for a file read whole that the machine has no memory left to take apart,
// in the words of AppendEmptyLineAndRead's failures.
std::string OutOfMemoryFailure(const std::string& path);

}  // namespace tallyo
