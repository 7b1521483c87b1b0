#include "platform/FileBuffer.h"

#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tallyo {

namespace {

// A large buffer starts on a 2 MB boundary and spans whole 2 MB steps, so that on Linux it
// can be held in huge pages: the kernel then copies a file into it at page-cache speed
// instead of spending a third of the read on the small pages' address look-ups.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::align_val_t kAlignment{kHugePage};

char* Allocate(std::size_t bytes) {
  char* p = static_cast<char*>(::operator new[](bytes, kAlignment));
#ifdef __linux__
  // Only advice: where huge pages are off, small ones serve as before.
  ::madvise(p, bytes, MADV_HUGEPAGE);
#endif
  return p;
}

}  // namespace

void FileBuffer::Free::operator()(char* p) const { ::operator delete[](p, kAlignment); }

char* FileBuffer::Reset(std::size_t n) {
  if (n > capacity_) {
    // Free before allocating, so that a large file never needs room for two copies; the
    // headroom lets the next displays of a growing file (two bytes more each time, and
    // whatever the logger adds) reuse the storage and its mapped pages.
    data_.reset();
    capacity_ = 0;
    size_ = 0;
    const std::size_t wanted = (n + n / 8 + 4096 + kHugePage - 1) / kHugePage * kHugePage;
    data_.reset(Allocate(wanted));
    capacity_ = wanted;
  }
  size_ = n;
  return data_.get();
}

}  // namespace tallyo
