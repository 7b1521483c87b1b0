#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/TextRules.h"

namespace tallyo {
namespace {

double Day(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }

TEST(ParseTimeOfDayTest, ValidTimes) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"7:5", Day(7, 5, 0)},
      {"07:05:09", Day(7, 5, 9)},
      {"0:0", 0.0},
      {"00:00:00", 0.0},
      {"23:59", Day(23, 59, 0)},
      {"23:59:59", Day(23, 59, 59)},
      {"12:30:15", Day(12, 30, 15)},  // an hours box "12:30" joined with minutes "15"
      {"  12:34:56 ", Day(12, 34, 56)},
      {"\t8:00\t", Day(8, 0, 0)},
      {"1:2:3", Day(1, 2, 3)},
  };
  for (const auto& c : cases) {
    const auto v = ParseTimeOfDay(c.text);
    ASSERT_TRUE(v.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(ParseTimeOfDayTest, InvalidTimes) {
  const char* cases[] = {
      "24:00",  "12:60",  "12:30:60", "",       "   ",      "1:2:3:4", "+1:00", "-1:00",
      "1:-5",   "12",     "12:",      ":30",    "12::30",   "12:30:",  "a:b",   "12:3a",
      "123:00", "12:300", "1 2:30",   "12 :30", "12:30 PM", "12.5:00", "١٢:٣٠",
  };
  for (const char* text : cases) EXPECT_FALSE(ParseTimeOfDay(text).has_value()) << text;
}

TEST(ParseTimeOfDayTest, SameSecondGivesEqualValues) {
  EXPECT_EQ(*ParseTimeOfDay("6:7"), *ParseTimeOfDay("06:07:00"));
  EXPECT_LT(*ParseTimeOfDay("23:59:59"), 1.0);
}

TEST(ParseNumberTest, Numbers) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"13.2", 13.2},
      {"0", 0.0},
      {"-5", -5.0},
      {"+5", 5.0},
      {"5.", 5.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"+.5", 0.5},
      {"1e3", 1000.0},
      {"1E+3", 1000.0},
      {"2.5e-1", 0.25},
      {" 7.8 ", 7.8},
      {"\t42\t", 42.0},
      {"007", 7.0},
      {"1e-400", 0.0},
      {"-1e-400", 0.0},
      {"0e999999999999999999999", 0.0},
      {"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const auto& c : cases) {
    const auto v = ParseNumber(c.text);
    ASSERT_TRUE(v.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(ParseNumberTest, NotNumbers) {
  const char* cases[] = {
      "",
      " ",
      "-",
      "+",
      ".",
      "-.",
      "e5",
      ".e5",
      "5e",
      "5e+",
      "1e400",
      "-1e400",
      "1e999999999999999999999",
      "1.8e308",
      "nan",
      "NaN",
      "inf",
      "-inf",
      "infinity",
      "1,5",
      "1 000",
      "1.2.3",
      "--5",
      "+-5",
      "5-",
      "0x10",
      "12abc",
      "abc",
      "1 2",
      "1e5.5",
      "٣",
  };
  for (const char* text : cases) EXPECT_FALSE(ParseNumber(text).has_value()) << text;
}

TEST(ParseNumberTest, VeryLongNumbers) {
  std::string huge(10000, '7');
  EXPECT_FALSE(ParseNumber(huge).has_value());  // about 7.8e9999: beyond a double
  std::string tiny = "0." + std::string(10000, '0') + "1";
  EXPECT_EQ(ParseNumber(tiny), 0.0);
  std::string longFraction = "1." + std::string(10000, '5');
  const auto v = ParseNumber(longFraction);
  ASSERT_TRUE(v.has_value());
  EXPECT_DOUBLE_EQ(*v, 1.5555555555555556);
  std::string padded = std::string(10000, '0') + "12.5" + std::string(10000, '0');
  EXPECT_EQ(ParseNumber(padded), 12.5);
}

TEST(ParseLogIntegerTest, RoundsOrGivesZero) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"1", 1},      {"0", 0},       {"2.5", 2},       {"3.5", 4},         {"-2.5", -2},
      {" 7 ", 7},    {"1e2", 100},   {"32767", 32767}, {"-32768", -32768}, {"40000", 0},
      {"-40000", 0}, {"32767.5", 0}, {"", 0},          {"x", 0},           {"1e400", 0},
      {"nan", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLogInteger(c.text), c.value) << c.text;
}

TEST(ParseIntervalTextTest, NumberThatFits) {
  EXPECT_EQ(ParseIntervalText("10"), 10);
  EXPECT_EQ(ParseIntervalText("2.5"), 2);
  EXPECT_EQ(ParseIntervalText("3.5"), 4);
  EXPECT_EQ(ParseIntervalText("-5"), -5);
  EXPECT_EQ(ParseIntervalText(" 30 "), 30);
  EXPECT_EQ(ParseIntervalText("0"), 0);
  EXPECT_EQ(ParseIntervalText("40000"), std::nullopt);
  EXPECT_EQ(ParseIntervalText("1e9"), std::nullopt);
  EXPECT_EQ(ParseIntervalText(""), std::nullopt);
  EXPECT_EQ(ParseIntervalText("10x"), std::nullopt);
  EXPECT_EQ(ParseIntervalText("1,5"), std::nullopt);  // '.' is the only decimal mark
}

}  // namespace
}  // namespace tallyo
