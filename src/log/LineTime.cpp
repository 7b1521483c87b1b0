#include "log/LineTime.h"

#include "log/TagText.h"
#include "platform/TextRules.h"

namespace tallyo {

std::optional<double> LineTime(std::string_view line) {
  const std::optional<std::string_view> text = TagText(line, 'T');
  if (!text) return 0.0;
  return ParseTimeOfDay(*text);
}

}  // namespace tallyo
