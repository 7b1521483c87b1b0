#include "platform/FileStorage.h"

#include <sys/mman.h>

#include <new>

namespace tallyo {

constexpr std::align_val_t kAlignment{kFileStorageStep};

char* AllocateFileStorage(std::size_t bytes) {
  char* p = static_cast<char*>(::operator new[](bytes, kAlignment));
  // Only advice: where huge pages are off, small ones serve as before.
  ::madvise(p, bytes, MADV_HUGEPAGE);
  return p;
}

void FreeFileStorage(char* storage) { ::operator delete[](storage, kAlignment); }

}  // namespace tallyo
