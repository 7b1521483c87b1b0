#include "platform/NumberFormat.h"

#include <cstddef>

namespace tallyo {

namespace {

constexpr std::size_t kLongestMark = 16;

// Whether text is well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || text.size() - i < length) return false;
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      c = (c << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

// A mark may not hold what a number itself is made of (digits, letters such as the
// exponent's, signs), nor anything invisible among ASCII. A minus sign may carry the
// hyphen-minus itself (with a direction mark, say); a grouping separator may be a plain
// space.
enum class Mark { kDecimal, kGroup, kMinus };

bool IsUsable(std::string_view mark, Mark kind) {
  if (mark.empty() || mark.size() > kLongestMark || !IsUtf8(mark)) return false;
  for (char ch : mark) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '+') return false;
    if (c == ' ' && kind != Mark::kGroup) return false;
    if (c == '-' && kind != Mark::kMinus) return false;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return false;
  }
  return true;
}

bool BeginsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

}  // namespace

NumberFormat DescribedNumberFormat(std::string_view decimalMark, std::string_view groupSeparator,
                                   std::string_view minusSign) {
  NumberFormat format;
  if (!IsUsable(decimalMark, Mark::kDecimal)) return format;
  format.decimalMark = std::string(decimalMark);
  if (IsUsable(groupSeparator, Mark::kGroup) && !BeginsWith(groupSeparator, decimalMark) &&
      !BeginsWith(decimalMark, groupSeparator)) {
    format.groupSeparator = std::string(groupSeparator);
  }
  if (IsUsable(minusSign, Mark::kMinus) && minusSign != decimalMark &&
      minusSign != groupSeparator) {
    format.minusSign = std::string(minusSign);
  }
  return format;
}

}  // namespace tallyo
