#include "log/LoadLog.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "log/RecordLine.h"
#include "log/TagText.h"
#include "platform/Files.h"
#include "platform/ProgramFolder.h"
#include "platform/Rounding.h"
#include "platform/TextRules.h"

namespace tallyo {

namespace {

std::optional<double> JoinedTime(std::string_view hours, std::string_view minutes) {
  std::string joined;
  joined.reserve(hours.size() + 1 + minutes.size());
  joined += hours;
  joined += ':';
  joined += minutes;
  return ParseTimeOfDay(joined);
}

// The time text of a line. Logged lines begin with their time field, so that case skips
// the general search for the open tag; the result is the same as TagText(line, 'T').
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

// The value of a plain decimal as the logger writes it ("13.2", "-2.0", "350"): an optional
// minus, digits, and optionally a point with more digits, 15 digits at most. The digits
// then make an exact integer and one division by an exact power of ten rounds it once, to
// the very double the number rule gives; a division costs far less than the general parse.
// nullopt for every other text, which takes the general parse.
std::optional<double> PlainDecimal(std::string_view s) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  constexpr int kMostDigits = 15;
  std::size_t pos = !s.empty() && s[0] == '-' ? 1 : 0;
  const bool negative = pos == 1;
  std::uint64_t digits = 0;
  int count = 0;
  int fraction = 0;
  bool point = false;
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (c >= '0' && c <= '9') {
      if (++count > kMostDigits) return std::nullopt;
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      fraction += point ? 1 : 0;
    } else if (c == '.' && !point && count > 0) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (count == 0 || (point && fraction == 0)) return std::nullopt;
  const double whole = static_cast<double>(digits);
  const double value = fraction == 0 ? whole : whole / kPowersOfTen[fraction];
  return negative ? -value : value;
}

double NumberField(const RecordLine& line, char tag) {
  const std::optional<std::string_view> text = line.Field(tag);
  if (!text) return 0;
  if (const std::optional<double> plain = PlainDecimal(*text)) return *plain;
  return ParseNumber(*text).value_or(0);
}

// The M value of a text by the integer rule.
std::int16_t IntegerField(std::string_view text) {
  if (const std::optional<double> plain = PlainDecimal(text)) {
    return ToInt16HalfEven(*plain).value_or(0);
  }
  return ParseLogInteger(text);
}

// Cuts text at every CR LF, and only there. Returns the end of the line that starts at
// `from` and sets `next` to the start of the following line (text.size() + 1 after the
// last line).
std::size_t LineEnd(std::string_view text, std::size_t from, std::size_t& next) {
  const char* data = text.data();
  std::size_t pos = from;
  while (pos < text.size()) {
    const void* lf = std::memchr(data + pos, '\n', text.size() - pos);
    if (!lf) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    if (at > from && data[at - 1] == '\r') {
      next = at + 1;
      return at - 1;
    }
    pos = at + 1;  // a lone LF is part of the line
  }
  next = text.size() + 1;
  return text.size();
}

}  // namespace

std::string LogFilePath(std::string_view programFolder, std::string_view fileName) {
  return JoinPath(JoinPath(programFolder, "logs"), fileName);
}

DisplayResult LoadLog(ViewerState& state, const DisplayRequest& request) {
  const std::optional<double> start = JoinedTime(request.time1h, request.time1m);
  if (!start) return {DisplayOutcome::kBadStartTime, std::string(kBadStartMessage)};
  const std::optional<double> finish = JoinedTime(request.time2h, request.time2m);
  if (!finish) return {DisplayOutcome::kBadFinishTime, std::string(kBadFinishMessage)};
  state.startTime = *start;
  state.finishTime = *finish;

  // Only the empty caption means "no file"; blanks are a file name like any other.
  if (request.fileName.empty()) return {DisplayOutcome::kNoFileChosen, std::string(kNoFileMessage)};

  const std::string_view before = state.logText.View();
  if (std::optional<std::string> error = AppendEmptyLineAndRead(
          LogFilePath(request.programFolder, request.fileName), state.logText)) {
    // The earlier lines stay unless the failure came after the buffer was given up; views
    // into bytes that are gone must not survive.
    const std::string_view after = state.logText.View();
    if (after.data() != before.data() || after.size() != before.size()) state.logLines.clear();
    return {DisplayOutcome::kFileError, std::move(*error)};
  }

  const std::string_view text = state.logText.View();
  state.logLines.clear();  // keeps its capacity for the next display
  state.recordCount = 0;
  state.zoomState = 0;

  // The lines are cut and examined in one pass over the bytes. After the record limit
  // the rest is only cut, since the lines of the file are kept in full.
  int count = 0;
  bool limitReached = false;
  std::int16_t carriedM = 0;  // the carried M text, held as its value; empty counts as 0
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t next = 0;
    const std::size_t end = LineEnd(text, from, next);
    const std::string_view line = text.substr(from, end - from);
    try {
      state.logLines.push_back(line);
    } catch (const std::bad_alloc&) {
      // Millions of short lines on a machine short of memory: told like a file that cannot
      // be read, with no records (recordCount stays 0), instead of ending the program.
      std::vector<std::string_view>().swap(state.logLines);
      return {DisplayOutcome::kFileError, "Cannot read the log file \"" +
                                              LogFilePath(request.programFolder, request.fileName) +
                                              "\": " + std::strerror(ENOMEM)};
    }
    from = next;
    if (limitReached) continue;

    double t = 0;  // a line without a time field stands at 00:00:00
    if (const std::optional<std::string_view> timeText = TimeText(line)) {
      const std::optional<double> parsed = ParseTimeOfDay(*timeText);
      if (!parsed) continue;
      t = *parsed;
    }
    if (!(t > state.startTime && t < state.finishTime)) continue;

    if (count + 1 > kRecordLimit) {
      limitReached = true;
      continue;
    }
    ++count;
    const RecordLine fields(line);
    state.timeSeries[count] = t;
    state.voltsSeries[count] = NumberField(fields, 'V');
    state.ampsSeries[count] = NumberField(fields, 'I');
    state.rpmSeries[count] = NumberField(fields, 'R');
    state.wattsSeries[count] = NumberField(fields, 'W');
    state.speedSeries[count] = NumberField(fields, 'S');
    if (const std::optional<std::string_view> m = fields.Field('M')) {
      carriedM = IntegerField(*m);
    }
    state.mSeries[count] = carriedM;
  }

  if (limitReached) {
    state.recordCount = kRecordLimit + 1;
    return {DisplayOutcome::kRecordLimit, std::string(kRecordLimitMessage)};
  }
  state.recordCount = static_cast<std::int16_t>(count);
  if (count == 0) return {DisplayOutcome::kNoData, std::string(kNoDataMessage)};
  state.viewStart = 1;
  state.viewEnd = count;
  return {DisplayOutcome::kLoaded, std::string()};
}

}  // namespace tallyo
