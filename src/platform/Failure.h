#pragma once
// How a call that can fail tells it, across every layer: it returns a Failure, the sentence
// for the user's message box, or nothing when it succeeded. What a call gives on success it
// puts in its object or in a reference parameter.

#include <optional>
#include <string>

namespace tallyo {

using Failure = std::optional<std::string>;

}  // namespace tallyo
