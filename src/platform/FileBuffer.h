#pragma once
// A byte buffer that keeps its storage between reads, so that a large file pays its page
// faults once and not at every display. Its bytes are not zeroed on growth.

#include <cstddef>
#include <memory>
#include <string_view>

namespace tallyo {

class FileBuffer {
 public:
  std::string_view View() const { return {data_.get(), size_}; }
  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }
  // Makes room for n bytes (old contents are dropped when it must grow) and sets the
  // size to n. Returns the writable storage. Throws std::bad_alloc, leaving it empty.
  char* Reset(std::size_t n);
  void Shrink(std::size_t n) { size_ = n < size_ ? n : size_; }

 private:
  struct Free {
    void operator()(char* p) const;
  };
  std::unique_ptr<char[], Free> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace tallyo
