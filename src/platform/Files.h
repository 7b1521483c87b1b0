#pragma once
// A log file, opened by its name for one display or one report and closed with the object.
// Paths are UTF-8 text (on Windows a name the system gives in UTF-16 that is no valid
// Unicode is carried in the generalised form of UTF-8 that keeps it, so every name the
// system lists opens again); each system's implementation hands them to the system in its
// own form.
//
// What a name stands for is found out before it is opened: a folder, a pipe, a device or a
// socket under a log file's name is neither opened nor written, so a pipe's writer or a
// device never notices the viewer. Each call that can fail gives the sentence to show, in
// the words of platform/FileMessages.h, or nothing when it succeeded.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Failure.h"

namespace tallyo {

class LogFile {
 public:
  LogFile() = default;
  ~LogFile() { Close(); }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // Opens the regular file at path for reading; creates nothing. Length() is its size now.
  Failure OpenToRead(const std::string& path);
  // Opens the regular file at path for reading and for appending. A missing name is created
  // as a new, empty regular file in its folder; a link that leads nowhere is not followed
  // to create what it names. Length() is its size now.
  Failure OpenToAppend(const std::string& path);

  // The file's last byte as it is now, nothing when it is empty; Length() becomes its size.
  Failure LastByte(std::optional<char>& last);
  // Appends bytes at the end of the file as it is at that moment, whole or not at all: when
  // the system takes only some of them, those are taken back, so that a failed append
  // leaves the file as it was. Length() becomes the size after it.
  Failure Append(std::string_view bytes);

  // The bytes to read: the size found by the last of the calls above. What is appended
  // after that moment is left for the next display.
  std::uint64_t Length() const { return length_; }
  // Reads up to n bytes from offset, never past Length(); got is 0 only at that end.
  Failure ReadAt(std::uint64_t offset, char* into, std::size_t n, std::size_t& got);

  // The sentence for a file whose bytes the machine has no memory left to hold.
  Failure OutOfMemory() const;

 private:
  void Close();

  // The system's handles: descriptors on POSIX systems, HANDLEs on Windows; -1 when closed.
  std::intptr_t reader_ = -1;
  std::intptr_t appender_ = -1;
  std::string path_;
  std::uint64_t length_ = 0;
};

}  // namespace tallyo
