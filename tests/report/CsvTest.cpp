// The fields of the report's tables as RFC 4180 writes them, in UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "report/Csv.h"

namespace tallyo::test {
namespace {

struct FieldCase {
  std::string text, field;
};

class CsvFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, Written) { EXPECT_EQ(CsvField(GetParam().text), GetParam().field); }

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvFieldTest,
    ::testing::Values(FieldCase{"", ""}, FieldCase{"2026-11-25", "2026-11-25"},
                      FieldCase{"a, b", "\"a, b\""}, FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                      FieldCase{"two\r\nlines", "\"two\r\nlines\""}, FieldCase{"lf\n", "\"lf\n\""},
                      FieldCase{"cr\r", "\"cr\r\""},
                      // UTF-8 stays; a byte that is not part of it becomes U+FFFD.
                      FieldCase{"M\xC3\xA4\xC3\x9Fig \xF0\x9F\x8C\xAC",
                                "M\xC3\xA4\xC3\x9Fig \xF0\x9F\x8C\xAC"},
                      FieldCase{"caf\xE9", "caf\xEF\xBF\xBD"}, FieldCase{"\xC3", "\xEF\xBF\xBD"},
                      FieldCase{"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
                      // A lone surrogate, as Windows names may carry one.
                      FieldCase{"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                      FieldCase{std::string("nul\0here", 8), std::string("nul\0here", 8)}));

TEST(CsvLineTest, FieldsJoinedAndEndedByCrLf) {
  EXPECT_EQ(CsvLine({"a", "", "b,c", ""}), "a,,\"b,c\",\r\n");
  EXPECT_EQ(CsvLine({""}), "\r\n");
}

}  // namespace
}  // namespace tallyo::test
