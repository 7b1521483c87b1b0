#include "log/LogLines.h"

#include <algorithm>
#include <cstring>

namespace tallyo {

std::size_t FindCrLf(std::string_view text, std::size_t from) {
  const char* data = text.data();
  std::size_t pos = from;
  while (pos < text.size()) {
    const void* lf = std::memchr(data + pos, '\n', text.size() - pos);
    if (!lf) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    if (at > from && data[at - 1] == '\r') return at - 1;
    pos = at + 1;  // a lone LF is part of the line
  }
  return std::string_view::npos;
}

namespace {

// The end of the line that starts at start: its CR LF, or the end of the text.
std::size_t LineEndFrom(std::string_view text, std::size_t start) {
  const std::size_t crlf = FindCrLf(text, start);
  return crlf == std::string_view::npos ? text.size() : crlf;
}

}  // namespace

LogLines::const_iterator::const_iterator(std::string_view text, std::size_t index,
                                         std::size_t start)
    : text_(text), index_(index), start_(start), end_(start) {
  if (start_ < text_.size() || index_ == 0) end_ = LineEndFrom(text_, start_);
}

LogLines::const_iterator& LogLines::const_iterator::operator++() {
  ++index_;
  start_ = end_ + 2;
  end_ = start_ <= text_.size() ? LineEndFrom(text_, start_) : start_;
  return *this;
}

std::string_view LogLines::operator[](std::size_t i) const {
  if (i == 0) return *begin();
  // The i-th CR LF ends line i - 1. The last block start with fewer than i ends before it
  // is where the search starts.
  const auto after = std::upper_bound(blockEnds_.begin(), blockEnds_.end(), i - 1);
  const auto block = static_cast<std::size_t>(after - blockEnds_.begin()) - 1;
  std::size_t ends = blockEnds_[block];
  // A CR LF counts in the block of its LF; its CR may be the last byte of the block before.
  std::size_t pos = block * kBlockBytes;
  if (pos > 0) --pos;
  for (;;) {
    const std::size_t crlf = FindCrLf(text_, pos);
    if (++ends == i) {
      const std::size_t start = crlf + 2;
      return text_.substr(start, LineEndFrom(text_, start) - start);
    }
    pos = crlf + 2;
  }
}

void LogLines::clear() {
  text_ = {};
  count_ = 0;
  blockEnds_.clear();
}

void LogLines::Release() {
  clear();
  std::vector<std::size_t>().swap(blockEnds_);
}

void LogLines::Start(std::string_view text) {
  clear();
  try {
    blockEnds_.reserve(text.size() / kBlockBytes + 1);
  } catch (...) {
    Release();
    throw;
  }
  text_ = text;
  blockEnds_.push_back(0);
}

bool operator==(const LogLines& a, std::span<const std::string_view> b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace tallyo
