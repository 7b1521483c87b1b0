#pragma once
// One line of a log file, searched once for all seven fields. Field(tag) gives exactly
// what TagText(line, tag) gives, but a kept record needs one pass over its line instead
// of fourteen searches.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyo {

class RecordLine {
 public:
  explicit RecordLine(std::string_view line);

  // The value text of the field with the tag letter T, V, I, R, W, S or M; nullopt when
  // the field is missing, or its first close tag lies before its first open tag.
  std::optional<std::string_view> Field(char tag) const;

 private:
  static constexpr int kTagCount = 7;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::string_view line_;
  std::size_t open_[kTagCount];   // position of the first "<X>", kNone if none
  std::size_t close_[kTagCount];  // position of the first "</X>", kNone if none
};

}  // namespace tallyo
