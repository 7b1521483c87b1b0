#include "platform/FileBuffer.h"

#include "platform/FileStorage.h"

namespace tallyo {

void FileBuffer::Free::operator()(char* p) const { FreeFileStorage(p); }

char* FileBuffer::Reset(std::size_t n) {
  if (n > capacity_) {
    // Free before allocating, so that a large file never needs room for two copies; the
    // headroom lets the next displays of a growing file (two bytes more each time, and
    // whatever the logger adds) reuse the storage and its mapped pages.
    data_.reset();
    capacity_ = 0;
    size_ = 0;
    const std::size_t wanted =
        (n + n / 8 + 4096 + kFileStorageStep - 1) / kFileStorageStep * kFileStorageStep;
    data_.reset(AllocateFileStorage(wanted));
    capacity_ = wanted;
  }
  size_ = n;
  return data_.get();
}

}  // namespace tallyo
