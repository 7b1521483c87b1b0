#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/LineTime.h"
#include "log/LoadLog.h"
#include "platform/TextRules.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

// Lines just outside the shortcut for "<T>hh:mm:ss</T>", and a few inside it.
const struct {
  const char* what;
  std::string_view line;
  bool shortcut;  // the shortcut times it
} kLines[] = {
    {"as logged", "<T>12:00:01</T> <V>1</V>", true},
    {"nothing after the time", "<T>12:00:02</T>", true},
    {"a second time field", "<T>12:00:03</T><T>12:30:00</T>", true},
    {"a CR alone before the LF", "<T>12:00:04</T><V>4</V>\r", true},
    {"a lone LF, then a time", "<T>12:00:05</T>\n<T>12:40:00</T>", true},
    {"hour 24", "<T>24:00:00</T>", false},
    {"minute 60", "<T>12:60:00</T>", false},
    {"a letter for a digit", "<T>1a:00:00</T>", false},
    {"one-digit hour", "<T>1:00:06</T>", false},
    {"one-digit hour in the window", "<T>12:0:07</T>", false},
    {"<T> not first", "<V>8</V><T>12:00:08</T>", false},
    {"<T> after a blank", " <T>12:00:09</T>", false},
    {"a time without seconds", "<T>12:10</T>", false},
    {"a blank before the time", "<T> 12:00:11</T>", false},
    {"a blank after the time", "<T>12:00:12 </T>", false},
    {"the close tag missing", "<T>12:00:13", false},
    {"the close tag cut short", "<T>12:00:14</T", false},
    {"a close tag before the open tag", "</T><T>12:00:15</T>", false},
    {"a CR inside the time", "<T>12:00:16\r</T>", false},
    {"<T> split across a lone LF", "<T\n>12:00:17</T>", false},
    {"<T> split after its '<'", "<\nT>12:00:18</T>", false},
    {"a lone LF, then the first time", "x\n<T>12:00:19</T>", false},
    {"a CR, then the time", "\r<T>12:00:20</T>", false},
    {"a lone LF first", "\n<T>12:00:21</T>", false},
    {"the time after more than 64 other bytes",
     "                                                                      <T>12:00:22</T>",
     false},
    {"the open tag alone", "<T>", false},
    {"a '<' alone", "<", false},
    {"empty", "", false},
};

TEST(LineTimeTest, ShortcutAgreesWithTheGeneralSearch) {
  for (const auto& c : kLines) {
    SCOPED_TRACE(c.what);
    const std::string line(c.line);
    const int seconds = LeadingTimeSeconds(line.data(), line.size());
    EXPECT_EQ(seconds >= 0, c.shortcut);
    if (seconds >= 0) {
      const std::optional<double> general = LineTime(line);
      ASSERT_TRUE(general.has_value());
      EXPECT_EQ(seconds / double{kSecondsPerDay}, *general);
    }
  }
}

// Every line above inside a whole file, at every offset from a 64-byte boundary, read in
// pieces of every size from one byte on: the display keeps exactly the lines a plain
// reading keeps (cut at each CR LF, timed by the general search). The file ends inside a
// line, so no display adds to it.
TEST(LineTimeTest, DisplayAgreesWithAPlainReading) {
  std::string file;
  for (int pad = 0; pad < 64; ++pad) {
    file += std::string(static_cast<std::size_t>(pad), 'x') + "\r\n";
    for (const auto& c : kLines) file += std::string(c.line) + "\r\n";
    file += std::string(static_cast<std::size_t>(pad), '<');  // runs into the next line
  }
  test::TempLogFolder folder;
  folder.WriteLog("day.txt", file);

  const double start = *ParseTimeOfDay("12:00");
  const double finish = *ParseTimeOfDay("12:59");
  std::vector<double> kept;
  std::string_view rest = file;
  for (;;) {
    const std::size_t cut = rest.find("\r\n");
    const std::optional<double> t = LineTime(rest.substr(0, cut));
    if (t && *t > start && *t < finish) kept.push_back(*t);
    if (cut == std::string_view::npos) break;
    rest.remove_prefix(cut + 2);
  }
  for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                  std::size_t{64}, std::size_t{4096}, kPieceBytes}) {
    SCOPED_TRACE(piece);
    auto state = std::make_unique<DayRecords>();
    const DisplayResult r = LoadLog(
        *state, DisplayRequest{"12", "00", "12", "59", "day.txt", folder.ProgramFolder(), piece});
    ASSERT_EQ(r.outcome, DisplayOutcome::kLoaded);
    ASSERT_EQ(state->recordCount, static_cast<int>(kept.size()));
    for (std::size_t k = 0; k < kept.size(); ++k) {
      ASSERT_EQ(state->timeSeries[k + 1], kept[k]) << k + 1;
    }
  }
  EXPECT_EQ(folder.ReadLog("day.txt"), file);
}

}  // namespace
}  // namespace tallyo
