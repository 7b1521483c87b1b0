#pragma once
// The storage of the file buffer, from the system: a large buffer starts on a 2 MB boundary
// and spans whole 2 MB steps, so that where the system has huge pages it can hold the buffer
// in them, and the kernel copies a file into it at page-cache speed instead of spending a
// third of the read on the small pages' address look-ups.

#include <cstddef>

namespace tallyo {

inline constexpr std::size_t kFileStorageStep = std::size_t{2} << 20;

// bytes is a whole number of steps. Throws std::bad_alloc.
char* AllocateFileStorage(std::size_t bytes);
void FreeFileStorage(char* storage);

}  // namespace tallyo
