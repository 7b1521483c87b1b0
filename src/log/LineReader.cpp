#include "log/LineReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <optional>

#include "platform/Memory.h"

namespace tallyo {

namespace {

// Room kept free beside a long line, for everything else the program and the system need.
constexpr std::uint64_t kHeadroom = std::uint64_t{32} << 20;

// The end of the last CR LF of bytes[0, size) whose LF lies at or after firstLf, or 0 when
// there is none.
std::size_t LastLineEnd(const char* bytes, std::size_t firstLf, std::size_t size) {
  for (std::size_t i = size; i > firstLf; --i) {
    if (bytes[i - 1] == '\n' && i >= 2 && bytes[i - 2] == '\r') return i;
  }
  return 0;
}

// The file offset just past the first CR LF at or after offset, or the file's length when
// there is none; crBefore: the byte before offset is a CR. Reads in pieces into scratch,
// and not past `farthest`: a line that goes on beyond it gives an end past it.
Failure FindLineEnd(LogFile& file, std::uint64_t offset, bool crBefore, char* scratch,
                    std::size_t pieceBytes, std::uint64_t farthest, std::uint64_t& end) {
  for (;;) {
    if (offset > farthest) {
      end = offset;
      return std::nullopt;
    }
    std::size_t got = 0;
    if (Failure failure = file.ReadAt(offset, scratch, pieceBytes, got)) return failure;
    if (got == 0) {
      end = offset;
      return std::nullopt;
    }
    for (std::size_t at = 0; at < got;) {
      const void* lf = std::memchr(scratch + at, '\n', got - at);
      if (lf == nullptr) break;
      const auto i = static_cast<std::size_t>(static_cast<const char*>(lf) - scratch);
      if (i > 0 ? scratch[i - 1] == '\r' : crBefore) {
        end = offset + i + 1;
        return std::nullopt;
      }
      at = i + 1;
    }
    crBefore = scratch[got - 1] == '\r';
    offset += got;
  }
}

struct Buffer {
  std::unique_ptr<char[]> bytes;
  std::size_t capacity = 0;

  bool Allocate(std::size_t n) {
    try {
      bytes.reset(new char[n]);
    } catch (const std::bad_alloc&) {
      return false;
    }
    capacity = n;
    return true;
  }
};

}  // namespace

Failure ReadLines(LogFile& file, std::size_t pieceBytes, const LinesTaker& take) {
  pieceBytes = std::max<std::size_t>(pieceBytes, 1);
  Buffer buffer;
  if (!buffer.Allocate(pieceBytes)) return file.OutOfMemory();
  std::size_t carried = 0;   // an unfinished line at the buffer's start, without a CR LF
  std::uint64_t offset = 0;  // the next byte of the file to read
  for (;;) {
    if (carried == buffer.capacity) {
      // The line is longer than the buffer: where it ends is found first (but not beyond
      // where it could no longer fit), and the memory for all of it and the next piece is
      // taken only when the system can spare it.
      const std::uint64_t room =
          MemoryStillAvailable().value_or(std::numeric_limits<std::uint64_t>::max() / 4);
      const std::uint64_t most = room > kHeadroom + pieceBytes ? room - kHeadroom - pieceBytes : 0;
      Buffer scratch;
      if (!scratch.Allocate(pieceBytes)) return file.OutOfMemory();
      std::uint64_t lineEnd = 0;
      if (Failure failure =
              FindLineEnd(file, offset, buffer.bytes[carried - 1] == '\r', scratch.bytes.get(),
                          pieceBytes, offset + (most > carried ? most - carried : 0), lineEnd)) {
        return failure;
      }
      scratch = Buffer();
      const std::uint64_t wanted = carried + (lineEnd - offset) + pieceBytes;
      if (wanted > std::numeric_limits<std::size_t>::max() / 2 || wanted + kHeadroom > room) {
        return file.OutOfMemory();
      }
      Buffer larger;
      if (!larger.Allocate(static_cast<std::size_t>(wanted))) return file.OutOfMemory();
      std::memcpy(larger.bytes.get(), buffer.bytes.get(), carried);
      buffer = std::move(larger);
    }
    char* bytes = buffer.bytes.get();
    std::size_t got = 0;
    if (Failure failure = file.ReadAt(offset, bytes + carried, buffer.capacity - carried, got)) {
      return failure;
    }
    if (got == 0) {
      take(std::string_view(bytes, carried));
      return std::nullopt;
    }
    offset += got;
    const std::size_t size = carried + got;
    // The carried bytes hold no CR LF, but their last byte may be the CR of one.
    const std::size_t cut = LastLineEnd(bytes, carried, size);
    if (cut == 0) {
      carried = size;
      continue;
    }
    if (!take(std::string_view(bytes, cut))) return std::nullopt;
    carried = size - cut;
    std::memmove(bytes, bytes + cut, carried);
  }
}

}  // namespace tallyo
