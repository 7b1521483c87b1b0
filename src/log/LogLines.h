#pragma once
// The lines of the log file last read by DISPLAY: the file's text cut at every CR LF, and
// only there (a lone CR or LF stays inside its line). A file of n CR LFs has n + 1 lines,
// the last one after the final CR LF.
//
// The lines are not stored one by one: a file of millions of empty lines would need far
// more memory for its line list than for its bytes. The list keeps the text and, for every
// block of kBlockBytes bytes, how many line ends lie before it. A line is then found from
// the nearest block start, and walking the lines in order costs one search per line.

#include <cstddef>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

namespace tallyo {

// The position of the CR of the first CR LF at or after from, or npos.
std::size_t FindCrLf(std::string_view text, std::size_t from);

class LogLines {
 public:
  static constexpr std::size_t kBlockBytes = 4096;

  class const_iterator {
   public:
    using iterator_concept = std::forward_iterator_tag;
    using iterator_category = std::input_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    std::string_view operator*() const { return text_.substr(start_, end_ - start_); }
    const_iterator& operator++();
    const_iterator operator++(int) {
      const_iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const const_iterator& o) const { return index_ == o.index_; }

   private:
    friend class LogLines;
    const_iterator(std::string_view text, std::size_t index, std::size_t start);

    std::string_view text_;
    std::size_t index_ = 0;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
  };
  using iterator = const_iterator;
  using value_type = std::string_view;
  using size_type = std::size_t;

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::string_view operator[](std::size_t i) const;
  const_iterator begin() const { return {text_, 0, 0}; }
  const_iterator end() const { return {text_, count_, text_.size()}; }

  // No lines; the block counts keep their storage for the next display.
  void clear();
  // Gives the storage up as well.
  void Release();

  // Filling, by the one pass that cuts the text: Start, then Block once for every
  // kBlockBytes bytes from the second block on, then Finish. Start may throw
  // std::bad_alloc and leaves the list empty when it does; the others do not allocate.
  void Start(std::string_view text);
  // endsBefore: the CR LFs whose LF lies before the block that starts here.
  void Block(std::size_t endsBefore) { blockEnds_.push_back(endsBefore); }
  void Finish(std::size_t crLfCount) { count_ = crLfCount + 1; }

  friend bool operator==(const LogLines& a, std::span<const std::string_view> b);

 private:
  std::string_view text_;
  std::size_t count_ = 0;
  std::vector<std::size_t> blockEnds_;  // [k]: CR LFs ending before byte k * kBlockBytes
};

}  // namespace tallyo
