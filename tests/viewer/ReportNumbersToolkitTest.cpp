// The report's numbers are the window's own: for generated days, several time windows and
// intervals, every number of a day's row is the text of the corresponding label after the
// same display with "Ref V to 0v" off, on either edition. Days the window does not draw
// are told by its messages: none in the time window, or more than one display takes.

#include <map>
#include <string>
#include <vector>

#include "log/LoadLog.h"
#include "platform/Console.h"
#include "report/Report.h"
#include "support/Notations.h"
#include "support/ReportDays.h"
#include "viewer/GraphFixture.h"

namespace tallyo::test {
namespace {

// The fields of a CSV line without its CR LF; a quoted field loses its quotes.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The day table's rows by day, each its fields.
std::map<std::string, std::vector<std::string>> Rows(const std::string& table) {
  std::map<std::string, std::vector<std::string>> rows;
  std::size_t from = table.find("\r\n") + 2;  // after the header
  for (std::size_t end; (end = table.find("\r\n", from)) != std::string::npos; from = end + 2) {
    std::vector<std::string> fields = Fields(table.substr(from, end - from));
    rows[fields[0]] = std::move(fields);
  }
  return rows;
}

// The label behind each column from first to wind_low, and its text after the number.
struct Column {
  const char* label;
  const char* unit;
};
constexpr Column kColumns[] = {
    {"stime", ""},     {"ftime", ""},   {"watts", " Wh"}, {"VMax1", " V"}, {"VMin1", " V"},
    {"AMax1", " A"},   {"AMin1", " A"}, {"WMax1", " W"},  {"WMin1", " W"}, {"RMax1", " RPM"},
    {"RMin1", " RPM"}, {"SMax1", " "},  {"SMin1", " "}};

struct WindowCase {
  const char *from, *to, *interval;
};
void PrintTo(const WindowCase& c, std::ostream* os) {
  *os << c.from << " to " << c.to << ", interval " << c.interval;
}

class ReportNumbersTest : public GraphFixture, public ::testing::WithParamInterface<WindowCase> {
 protected:
  // The report's table of the logs folder for the same window and interval.
  std::string ReportTable() const {
    const WindowCase& c = GetParam();
    std::string table, errors;
    Console console;
    console.writeOutput = [&table](std::string_view bytes) -> Failure {
      table += bytes;
      return std::nullopt;
    };
    console.writeError = [&errors](std::string_view text) { errors += text; };
    EXPECT_EQ(Report({"--from", c.from, "--to", c.to, "--interval", c.interval},
                     folder_.ProgramFolder(), console),
              0)
        << errors;
    return table;
  }
};

TEST_P(ReportNumbersTest, EveryNumberIsTheLabels) {
  const WindowCase& c = GetParam();
  const std::vector<SampleDayFile> days = ReportDays();
  WriteReportDays(folder_, days);
  const auto rows = Rows(ReportTable());
  ASSERT_EQ(rows.size(), days.size() + 1);

  OpenIn(PlainNotation());
  Click("Check6");
  ASSERT_EQ(S().refVoltsToZero, 0);
  SetCaption("Interval", c.interval);
  const std::string from = c.from, to = c.to;
  for (const SampleDayFile& day : days) {
    const std::string name = day.name.substr(0, day.name.size() - 4);
    SCOPED_TRACE(name);
    const std::vector<std::string>& row = rows.at(name);
    ASSERT_EQ(row.size(), 16u);
    const long readings = std::stol(row[1]);
    // The click displays the whole day (a day of 43,200 lines gives the record-limit
    // message), then DISPLAY the window.
    (void)CatchMessage([&] { ClickFile(day.name); });
    SetCaption("Time1h", from.substr(0, 2));
    SetCaption("Time1m", from.substr(3));
    SetCaption("Time2h", to.substr(0, 2));
    SetCaption("Time2m", to.substr(3));
    const auto message = CatchMessage([&] { Click("Command1"); });
    if (readings == 0) {
      ASSERT_TRUE(message);
      EXPECT_EQ(message->text, kNoDataMessage);
      for (std::size_t i = 2; i < row.size(); ++i) EXPECT_EQ(row[i], "") << i;
      continue;
    }
    if (readings > kRecordLimit) {
      ASSERT_TRUE(message);
      EXPECT_EQ(message->text, kRecordLimitMessage);
      continue;
    }
    ASSERT_FALSE(message) << message->text;
    ASSERT_GT(readings, 1) << "the window draws no view of one record";
    EXPECT_EQ(S().recordCount, readings);
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
      EXPECT_EQ(Caption(kColumns[i].label), row[2 + i] + kColumns[i].unit) << kColumns[i].label;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, ReportNumbersTest,
                         ::testing::Values(WindowCase{"00:00", "23:59", "10"},
                                           // 9,449 readings of the day logged every 2 seconds.
                                           WindowCase{"06:30", "11:45", "60"},
                                           // Held to 10 and to 120 by the draw, as by the report.
                                           WindowCase{"17:59", "18:00", "5"},
                                           WindowCase{"21:30", "23:59", "500"},
                                           // Rounded to 38, halves to even.
                                           WindowCase{"13:07", "15:52", "37.5"},
                                           // No reading in the window.
                                           WindowCase{"12:00", "12:00", "30"}));

}  // namespace
}  // namespace tallyo::test
