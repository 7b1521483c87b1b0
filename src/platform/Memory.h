#pragma once
// How much more memory the program may still take, asked of the system before a large
// allocation: on Linux the system grants memory it may not have and stops the program
// later, so the allocation's own failure cannot be relied upon.

#include <cstdint>
#include <optional>

namespace tallyo {

// The bytes the program may still take without being stopped for it: what the system has
// available, and less where a limit is set on the program (on Linux the memory limit of its
// control group, counting the file cache it holds as free). Nothing when the system does
// not tell.
std::optional<std::uint64_t> MemoryStillAvailable();

}  // namespace tallyo
