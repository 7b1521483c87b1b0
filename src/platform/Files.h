#pragma once
// Files of the program: the log file is appended to and read whole in one go.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tallyo {

// A byte buffer that keeps its storage between reads, so that a large file pays its
// page faults once and not at every display. Its bytes are not zeroed on growth.
class FileBuffer {
 public:
  std::string_view View() const { return {data_.get(), size_}; }
  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }
  // Makes room for n bytes (old contents are dropped when it must grow) and sets the
  // size to n. Returns the writable storage.
  char* Reset(std::size_t n);
  void Shrink(std::size_t n) { size_ = n < size_ ? n : size_; }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Appends one empty line (CR LF) to the file at path, creating it when missing, then
// reads the whole file into out. On failure returns a sentence naming the file and the
// reason; a file that cannot be read is not appended to, so a failure leaves its bytes
// as they were.
std::optional<std::string> AppendEmptyLineAndRead(const std::string& path, FileBuffer& out);

}  // namespace tallyo
