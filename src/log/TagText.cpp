#include "log/TagText.h"

namespace tallyo {

std::optional<std::string_view> TagText(std::string_view line, char tag) {
  const char open[3] = {'<', tag, '>'};
  const std::size_t p = line.find(std::string_view(open, 3));
  if (p == std::string_view::npos) return std::nullopt;
  const char close[4] = {'<', '/', tag, '>'};
  // Searched from the line's start as well: a close tag in front of the open tag belongs
  // to no field, and the field counts as missing.
  const std::size_t q = line.find(std::string_view(close, 4));
  if (q == std::string_view::npos || q < p + 3) return std::nullopt;
  return line.substr(p + 3, q - p - 3);
}

}  // namespace tallyo
