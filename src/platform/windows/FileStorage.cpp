#include "platform/FileStorage.h"

#include <new>

namespace tallyo {

constexpr std::align_val_t kAlignment{kFileStorageStep};

// Large pages on Windows need a privilege that a user's program does not have: the
// alignment alone is kept, so that the buffer is the same on both systems.
char* AllocateFileStorage(std::size_t bytes) {
  return static_cast<char*>(::operator new[](bytes, kAlignment));
}

void FreeFileStorage(char* storage) { ::operator delete[](storage, kAlignment); }

}  // namespace tallyo
