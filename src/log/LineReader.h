#pragma once
// A log file read in pieces of a fixed size and handed on as runs of whole lines, so that
// reading a day needs memory for one piece and its longest line, whatever the file's size.

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/Failure.h"
#include "platform/Files.h"

namespace tallyo {

// The piece DISPLAY reads at once: large enough that the system calls cost nothing beside
// the scan, small enough to stay in the processor's caches.
inline constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// Takes a run of lines; returns false to end the reading there.
using LinesTaker = std::function<bool(std::string_view lines)>;

// Reads file from its start to its Length() in pieces of pieceBytes (at least 1) and hands
// take every run of whole lines, each line ended by its CR LF, in the order of the file;
// the file's last line, after its last CR LF and perhaps empty, comes last in a run of its
// own, without a line end. A line longer than a piece is gathered whole, in memory of its
// own length and one piece more, once the system says it has that much to spare; where it
// has not, the file's out-of-memory failure.
Failure ReadLines(LogFile& file, std::size_t pieceBytes, const LinesTaker& take);

}  // namespace tallyo
