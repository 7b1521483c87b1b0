#include "log/LineTime.h"

#include "log/TagText.h"
#include "platform/TextRules.h"

namespace tallyo {

namespace {

// The time text of a line. A line that begins with its open tag skips the general search
// for it; the result is the same as TagText(line, 'T').
std::optional<std::string_view> TimeText(std::string_view line) {
  if (line.size() >= 3 && line[0] == '<' && line[1] == 'T' && line[2] == '>') {
    // No close tag can start inside the leading "<T>", so searching after it finds the
    // line's first one.
    const std::size_t q = line.find("</T>", 3);
    if (q == std::string_view::npos) return std::nullopt;
    return line.substr(3, q - 3);
  }
  return TagText(line, 'T');
}

}  // namespace

std::optional<double> LineTime(std::string_view line) {
  const std::optional<std::string_view> text = TimeText(line);
  if (!text) return 0.0;
  return ParseTimeOfDay(*text);
}

}  // namespace tallyo
