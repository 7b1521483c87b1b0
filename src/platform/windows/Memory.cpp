#include "platform/Memory.h"

#include <windows.h>

#include <algorithm>

namespace tallyo {

std::optional<std::uint64_t> MemoryStillAvailable() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!::GlobalMemoryStatusEx(&status)) return std::nullopt;
  return std::min<std::uint64_t>(status.ullAvailPhys, status.ullAvailVirtual);
}

}  // namespace tallyo
