#include "log/RecordLine.h"

namespace tallyo {

namespace {

// Index of a tag letter in the fields of a record line, -1 for any other character.
constexpr int TagIndex(char c) {
  constexpr std::string_view kLetters = "TVIRWSM";
  const std::size_t k = kLetters.find(c);
  return k == std::string_view::npos ? -1 : static_cast<int>(k);
}

}  // namespace

RecordLine::RecordLine(std::string_view line) : line_(line) {
  for (int i = 0; i < kTagCount; ++i) open_[i] = close_[i] = kNone;
  // Every '<' starts at most one tag: "<X>" when a letter follows it, "</X>" when a '/'
  // does. Taking the first of each kind gives the first occurrences a search from the
  // line's start would find.
  const char* s = line.data();
  const std::size_t n = line.size();
  int missing = 2 * kTagCount;
  for (std::size_t p = 0; p + 2 < n; ++p) {
    if (s[p] != '<') continue;
    if (s[p + 2] == '>') {
      const int k = TagIndex(s[p + 1]);
      if (k >= 0 && open_[k] == kNone) {
        open_[k] = p;
        if (--missing == 0) break;
      }
    } else if (s[p + 1] == '/' && p + 3 < n && s[p + 3] == '>') {
      const int k = TagIndex(s[p + 2]);
      if (k >= 0 && close_[k] == kNone) {
        close_[k] = p;
        if (--missing == 0) break;
      }
    }
  }
}

std::optional<std::string_view> RecordLine::Field(char tag) const {
  const int k = TagIndex(tag);
  if (k < 0) return std::nullopt;
  const std::size_t p = open_[k];
  const std::size_t q = close_[k];
  if (p == kNone || q == kNone || q < p + 3) return std::nullopt;
  return line_.substr(p + 3, q - p - 3);
}

}  // namespace tallyo
