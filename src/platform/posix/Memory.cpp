#include "platform/Memory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace tallyo {

namespace {

// The number at the start of a file such as memory.max; nothing for "max" or no file.
std::optional<std::uint64_t> NumberIn(const std::string& path) {
  std::ifstream in(path);
  std::string word;
  if (!(in >> word)) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

// The sum of the values of the given keys in a file of "key value" lines (memory.stat,
// /proc/meminfo with its "key: value kB").
std::uint64_t SumOf(const std::string& path, std::initializer_list<std::string_view> keys) {
  std::ifstream in(path);
  std::string key;
  std::uint64_t value = 0, sum = 0;
  while (in >> key >> value) {
    if (!key.empty() && key.back() == ':') key.pop_back();
    if (std::find(keys.begin(), keys.end(), key) != keys.end()) sum += value;
    in.ignore(1 << 20, '\n');
  }
  return sum;
}

// The room left under the limits of the control group at path and of every group above
// it: limit less usage, the group's file cache counted as free.
std::optional<std::uint64_t> GroupRoom(std::string path, const char* limitFile,
                                       const char* usageFile,
                                       std::initializer_list<std::string_view> cacheKeys) {
  std::optional<std::uint64_t> room;
  for (;;) {
    const std::optional<std::uint64_t> limit = NumberIn(path + '/' + limitFile);
    const std::optional<std::uint64_t> usage = NumberIn(path + '/' + usageFile);
    if (limit && usage) {
      const std::uint64_t cache = SumOf(path + "/memory.stat", cacheKeys);
      const std::uint64_t used = *usage > cache ? *usage - cache : 0;
      const std::uint64_t left = *limit > used ? *limit - used : 0;
      room = room ? std::min(*room, left) : left;
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos || path.compare(slash, std::string::npos, "/") == 0 ||
        path.size() <= std::string_view("/sys/fs/cgroup").size()) {
      return room;
    }
    path.erase(slash);
  }
}

}  // namespace

std::optional<std::uint64_t> MemoryStillAvailable() {
  std::optional<std::uint64_t> room;
  const auto lower = [&room](std::optional<std::uint64_t> other) {
    if (other) room = room ? std::min(*room, *other) : *other;
  };
  const std::uint64_t available = SumOf("/proc/meminfo", {"MemAvailable"});
  if (available > 0) room = available * 1024;

  // The program's control groups: "0::/path" where the unified hierarchy (v2) holds the
  // memory limit, "N:memory:/path" (or with more controllers) for the older one (v1).
  std::ifstream groups("/proc/self/cgroup");
  std::string line;
  while (std::getline(groups, line)) {
    const std::size_t first = line.find(':');
    const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
    if (second == std::string::npos) continue;
    const std::string controllers = line.substr(first + 1, second - first - 1);
    const std::string path = line.substr(second + 1);
    if (controllers.empty()) {
      lower(GroupRoom("/sys/fs/cgroup" + path, "memory.max", "memory.current",
                      {"active_file", "inactive_file"}));
    } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
      lower(GroupRoom("/sys/fs/cgroup/memory" + path, "memory.limit_in_bytes",
                      "memory.usage_in_bytes", {"total_active_file", "total_inactive_file"}));
    }
  }
  return room;
}

}  // namespace tallyo
