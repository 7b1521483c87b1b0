// DISPLAY reads the number fields of a record through a shortcut for the plain decimals the
// logger writes; every text must still come out exactly as the number and integer rules
// give it, plain or not.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "log/LoadLog.h"
#include "platform/TextRules.h"
#include "support/TempLogFolder.h"

namespace tallyo {
namespace {

// Bit for bit: 0 and -0 differ, as they would on a chart's zero line or in a label.
bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Loads the texts as the V and M fields of one record each, one second apart from
// 00:00:01, and checks each stored value against the rules.
void ExpectStoredAsTheRulesSay(const std::vector<std::string>& texts) {
  ASSERT_LE(texts.size(), static_cast<std::size_t>(kRecordLimit));
  test::TempLogFolder folder;
  std::string file;
  for (std::size_t k = 0; k < texts.size(); ++k) {
    char time[16];
    const int second = static_cast<int>(k) + 1;
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                  second % 60);
    file += "<T>" + std::string(time) + "</T> <V>" + texts[k] + "</V> <M>" + texts[k] + "</M>\r\n";
  }
  folder.WriteLog("numbers.txt", file);
  auto state = std::make_unique<DayRecords>();
  const DisplayResult result = LoadLog(
      *state, DisplayRequest{"00", "00", "23", "59", "numbers.txt", folder.ProgramFolder()});
  ASSERT_EQ(result.outcome, DisplayOutcome::kLoaded);
  ASSERT_EQ(state->recordCount, static_cast<int>(texts.size()));
  for (std::size_t k = 0; k < texts.size(); ++k) {
    const double want = ParseNumber(texts[k]).value_or(0);
    EXPECT_TRUE(SameDouble(state->voltsSeries[k + 1], want))
        << '"' << texts[k] << "\" stored " << state->voltsSeries[k + 1] << ", the rule gives "
        << want;
    EXPECT_EQ(state->mSeries[k + 1], ParseLogInteger(texts[k])) << '"' << texts[k] << '"';
  }
}

TEST(LoadLogNumbersTest, PlainAndOtherTextsFollowTheRules) {
  ExpectStoredAsTheRulesSay({
      "13.2",
      "-2.0",
      "350",
      "0",
      "-0",
      "0.000",
      "-0.0",
      "007",
      "12.50",
      "0.1",
      "0.3",
      "-0.001",
      "2.5",
      "3.5",
      "-2.5",
      "32767",
      "32767.5",
      "-32768",
      "-32768.5",
      "40000",
      "123456789012345",        // 15 digits: the most the shortcut takes
      "1234567890123456",       // 16: the general parse
      "9007199254740993",       // beyond a double's whole numbers
      "0.123456789012345",      // 15 digits of fraction
      "0.1234567890123456789",  // more
      "99999.9999999999",       // 15 digits either side of the point
      "1.",
      ".5",
      "-.5",
      "+3",
      "1e3",
      "1E-2",
      "-",
      ".",
      "",
      " 4",
      "4 ",
      "1.2.3",
      "1,5",
      "--1",
      "0x10",
      "inf",
      "nan",
      "12a",
      "1e400",
      "1e-400",
      "-1e-400",
  });
}

TEST(LoadLogNumbersTest, RandomDecimalsFollowTheRules) {
  std::mt19937_64 random(20261125);
  std::vector<std::string> texts;
  for (int k = 0; k < 4000; ++k) {
    const int whole = static_cast<int>(random() % 12);
    const int fraction = static_cast<int>(random() % 12);
    std::string t = random() % 3 == 0 ? "-" : "";
    for (int d = 0; d < std::max(whole, 1); ++d) t += static_cast<char>('0' + random() % 10);
    if (fraction > 0) {
      t += '.';
      for (int d = 0; d < fraction; ++d) t += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(t);
  }
  ExpectStoredAsTheRulesSay(texts);
}

}  // namespace
}  // namespace tallyo
