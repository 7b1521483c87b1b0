#pragma once
// One line of a log file holds tagged fields such as <V>13.2</V>, in any order.

#include <optional>
#include <string_view>

namespace tallyo {

// The value text of the field with the given tag letter (T, V, I, R, W, S or M): everything
// between the end of the first "<X>" and the start of the first "</X>" of the line, both
// searched from the line's start, exact and case-sensitive. nullopt when either tag is
// missing, or when the first close tag lies before the first open tag.
std::optional<std::string_view> TagText(std::string_view line, char tag);

}  // namespace tallyo
