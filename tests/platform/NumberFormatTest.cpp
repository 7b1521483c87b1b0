// Numbers in the user's notation: what a system's report becomes, the texts written in it,
// and the Interval box's reading of it. The log file's own rules never see a notation.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/NumberFormat.h"
#include "platform/NumberText.h"
#include "platform/TextRules.h"
#include "support/Notations.h"

namespace tallyo::test {
namespace {

struct ReportCase {
  const char* what;
  std::string decimalMark, groupSeparator, minusSign;
  NumberFormat want;
};

TEST(DescribedNumberFormatTest, KeepsWhatIsUsableAndFallsBackForTheRest) {
  const std::string arabicDecimal = "\xD9\xAB";  // U+066B
  const std::string arabicGroup = "\xD9\xAC";    // U+066C
  const std::string arabicMinus = "\xD8\x9C-";   // U+061C, then '-'
  const std::vector<ReportCase> cases = {
      {"English", ".", ",", "-", EnglishNotation()},
      {"German", ",", ".", "-", GermanNotation()},
      {"French (Qt)", ",", kNarrowNoBreakSpace, "-", FrenchNotation()},
      {"French (Wine)", ",", kNoBreakSpace, "-", FrenchWideNotation()},
      {"Swedish", ",", kNoBreakSpace, kMinusSign, SwedishNotation()},
      {"Swiss", ".", "\xE2\x80\x99", "-", {".", "\xE2\x80\x99", "-"}},
      {"Arabic",
       arabicDecimal,
       arabicGroup,
       arabicMinus,
       {arabicDecimal, arabicGroup, arabicMinus}},
      {"plain space groups", ",", " ", "-", {",", " ", "-"}},
      // The decimal mark decides whether the system describes numbers at all.
      {"no decimal mark", "", ",", "-", PlainNotation()},
      {"a digit", "1", ",", "-", PlainNotation()},
      {"a letter", "e", ",", "-", PlainNotation()},
      {"a sign", "-", ",", "-", PlainNotation()},
      {"a blank", " ", ",", "-", PlainNotation()},
      {"a control character", "\t", ",", "-", PlainNotation()},
      {"not UTF-8", "\xFF", ",", "-", PlainNotation()},
      {"a cut sequence", "\xE2\x80", ",", "-", PlainNotation()},
      {"an overlong form", "\xC0\xAE", ",", "-", PlainNotation()},
      {"a surrogate", "\xED\xA0\x80", ",", "-", PlainNotation()},
      {"too long", std::string(17, ','), ".", "-", PlainNotation()},
      // An unusable or ambiguous grouping separator: no grouping.
      {"no grouping", ",", "", "-", {",", "", "-"}},
      {"grouping as the mark", ",", ",", "-", {",", "", "-"}},
      {"grouping begins as the mark", ",", ",,", "-", {",", "", "-"}},
      {"mark begins as the grouping", ",.", ",", "-", {",.", "", "-"}},
      {"grouping by a digit", ",", "0", "-", {",", "", "-"}},
      {"grouping by a sign", ",", "+", "-", {",", "", "-"}},
      {"grouping not UTF-8", ",", "\xA0", "-", {",", "", "-"}},
      // An unusable minus sign: '-'.
      {"no minus", ",", ".", "", GermanNotation()},
      {"minus as the mark", ",", ".", ",", GermanNotation()},
      {"minus as the grouping", ",", ".", ".", GermanNotation()},
      {"minus with a blank", ",", ".", "- ", GermanNotation()},
      {"plus for minus", ",", ".", "+", GermanNotation()},
  };
  for (const ReportCase& c : cases) {
    EXPECT_EQ(DescribedNumberFormat(c.decimalMark, c.groupSeparator, c.minusSign), c.want)
        << c.what;
  }
}

// The notations the texts are checked in, with the texts each one gives.
struct NotationTexts {
  const char* name;
  NumberFormat format;
  // 13, 12.5, -0.504, -2000.2, 0.5 under "#0.00", "##0.0", "###0" and as plain text.
  std::vector<std::string> texts;
};

std::vector<NotationTexts> WrittenCases() {
  return {
      {"C", PlainNotation(), {"13.00", "12.5", "-0.5", "-2000", "0.50", "12.5", "-0.5"}},
      {"English", EnglishNotation(), {"13.00", "12.5", "-0.5", "-2000", "0.50", "12.5", "-0.5"}},
      {"German", GermanNotation(), {"13,00", "12,5", "-0,5", "-2000", "0,50", "12,5", "-0,5"}},
      {"French", FrenchNotation(), {"13,00", "12,5", "-0,5", "-2000", "0,50", "12,5", "-0,5"}},
      {"Swedish",
       SwedishNotation(),
       {"13,00", "12,5", std::string(kMinusSign) + "0,5", std::string(kMinusSign) + "2000", "0,50",
        "12,5", std::string(kMinusSign) + "0,5"}},
  };
}

// Nothing gains digit grouping: -2000 stays one run of digits in every notation.
TEST(NumberTextNotationTest, WritesTheMarkAndTheMinusSignOnly) {
  using enum NumberPattern;
  for (const NotationTexts& c : WrittenCases()) {
    const NumberFormat& f = c.format;
    EXPECT_EQ(FormatPattern(13, kTwoDecimals, f), c.texts[0]) << c.name;
    EXPECT_EQ(FormatPattern(12.5, kOneDecimal, f), c.texts[1]) << c.name;
    EXPECT_EQ(FormatPattern(-0.504, kOneDecimal, f), c.texts[2]) << c.name;
    EXPECT_EQ(FormatPattern(-2000.2, kWhole, f), c.texts[3]) << c.name;
    EXPECT_EQ(FormatPattern(0.5, kTwoDecimals, f), c.texts[4]) << c.name;
    EXPECT_EQ(PlainNumber(12.5, f), c.texts[5]) << c.name;
    EXPECT_EQ(PlainNumber(-0.5, f), c.texts[6]) << c.name;
    // A whole number has no decimal mark; a rounded zero no sign.
    EXPECT_EQ(PlainNumber(13, f), "13") << c.name;
    EXPECT_EQ(FormatPattern(-0.001, kTwoDecimals, f), Spelled("0.00", f)) << c.name;
    EXPECT_EQ(FormatPattern(1e20, kWhole, f), "100000000000000000000") << c.name;
    EXPECT_EQ(PlainNumber(-2.5e20, f), Spelled("-2.5E+20", f)) << c.name;
    EXPECT_EQ(PlainNumber(-std::numeric_limits<double>::infinity(), f), Spelled("-Inf", f))
        << c.name;
  }
}

// The rounding is the plain notation's in every other: only the spelling differs.
TEST(NumberTextNotationTest, RoundsAsThePlainNotation) {
  using enum NumberPattern;
  const NumberFormat notations[] = {GermanNotation(), FrenchNotation(), SwedishNotation()};
  for (int i = -20000; i <= 20000; i += 7) {
    const double v = i / 8.0 + i * 1e-7;  // halves, quarters, eighths and a little beside them
    for (const NumberFormat& f : notations) {
      for (NumberPattern p : {kTwoDecimals, kOneDecimal, kWhole}) {
        ASSERT_EQ(FormatPattern(v, p, f), Spelled(FormatPattern(v, p), f)) << v;
      }
      ASSERT_EQ(PlainNumber(v, f), Spelled(PlainNumber(v), f)) << v;
    }
  }
}

struct ReadCase {
  std::string text;
  std::optional<std::int16_t> value;
};

void ExpectReadings(const NumberFormat& format, const char* name,
                    const std::vector<ReadCase>& cases) {
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ParseIntervalText(c.text, format), c.value) << name << ": \"" << c.text << '"';
  }
}

constexpr std::nullopt_t kNone = std::nullopt;

// The texts every notation reads alike: no mark, no grouping.
const std::vector<ReadCase>& CommonReadings() {
  static const std::vector<ReadCase> cases = {
      {"10", 10},       {" 30 ", 30},   {"-5", -5},     {"+7", 7},
      {"1e2", 100},     {"0", 0},       {"", kNone},    {"x", kNone},
      {"10x", kNone},   {"-", kNone},   {"e5", kNone},  {"40000", kNone},
      {"32767", 32767}, {"1e9", kNone}, {"nan", kNone}, {"inf", kNone},
  };
  return cases;
}

TEST(ParseIntervalNotationTest, C) {
  // Exactly the number rule: a point, no grouping.
  const std::vector<ReadCase> cases = {
      {"12.5", 12}, {"13.5", 14}, {"1,5", kNone}, {"1,234", kNone}, {"1 234", kNone},
  };
  ExpectReadings(PlainNotation(), "C", CommonReadings());
  ExpectReadings(PlainNotation(), "C", cases);
}

TEST(ParseIntervalNotationTest, English) {
  const std::vector<ReadCase> cases = {
      {"12.5", 12},         {"13.5", 14},      {".5", 0},          {"5.", 5},
      {"1,234", 1234},      {"1,234.5", 1234}, {"1,235.5", 1236},  {"0,060", 60},
      {"32,767", 32767},    {"-1,000", -1000}, {"1,234e1", 12340}, {" 1,000 ", 1000},
      {"1,5", kNone},       {"12,34", kNone},  {"1,2345", kNone},  {"1234,567", kNone},
      {",123", kNone},      {"1,", kNone},     {"1,,234", kNone},  {"1,234,", kNone},
      {"1,234,567", kNone}, {"32,768", kNone}, {"1.2,345", kNone}, {"1e1,000", kNone},
      {"1,234.", 1234},     {"1,23.4", kNone}, {"1 234", kNone},   {"12,5", kNone},
  };
  ExpectReadings(EnglishNotation(), "English", CommonReadings());
  ExpectReadings(EnglishNotation(), "English", cases);
}

TEST(ParseIntervalNotationTest, German) {
  const std::vector<ReadCase> cases = {
      {"12,5", 12},         {"13,5", 14},       {"2,5", 2},           {",5", 0},
      {"120,5", 120},       {"1.234,5", 1234},  {"1.234", 1234},      {"0.060", 60},
      {"-0,5", 0},          {"1,5e1", 15},      {"12.5", kNone},      {"1.23", kNone},
      {"1.23,5", kNone},    {".123", kNone},    {"1.234.", kNone},    {"1,2,3", kNone},
      {"1,234.5", kNone},   {"1,2.345", kNone}, {"1.234.567", kNone}, {"12,5.", kNone},
      {"1,5e1.000", kNone},
  };
  ExpectReadings(GermanNotation(), "German", CommonReadings());
  ExpectReadings(GermanNotation(), "German", cases);
}

// Whichever no-break space the system reports, both and a plain space group alike.
TEST(ParseIntervalNotationTest, French) {
  const std::string nbsp = kNoBreakSpace;
  const std::string nnbsp = kNarrowNoBreakSpace;
  const std::vector<ReadCase> cases = {
      {"12,5", 12},
      {"1" + nnbsp + "234", 1234},
      {"1" + nbsp + "234", 1234},
      {"1 234", 1234},
      {"1" + nnbsp + "234,5", 1234},
      {"-1" + nbsp + "000", -1000},
      {"12.5", kNone},
      {"1.234", kNone},
      {"1" + nnbsp + "23", kNone},
      {"12 5", kNone},
      {nnbsp + "123", kNone},
      {"1" + nbsp + nbsp + "234", kNone},
      {"1 234" + nbsp, kNone},  // a no-break space is no blank around the text
      {"1,234" + nnbsp + "5", kNone},
  };
  for (const NumberFormat& f : {FrenchNotation(), FrenchWideNotation()}) {
    ExpectReadings(f, "French", CommonReadings());
    ExpectReadings(f, "French", cases);
  }
}

// The real minus sign is read as well as the one on the keyboard.
TEST(ParseIntervalNotationTest, SwedishMinusSign) {
  const std::string minus = kMinusSign;
  const std::vector<ReadCase> cases = {
      {minus + "5", -5},
      {"-5", -5},
      {minus + "0,5", 0},
      {"1e" + minus + "1", 0},
      {minus + minus + "5", kNone},
      {"5" + minus, kNone},
  };
  ExpectReadings(SwedishNotation(), "Swedish", cases);
}

}  // namespace
}  // namespace tallyo::test
