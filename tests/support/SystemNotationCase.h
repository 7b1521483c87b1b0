#pragma once
// The check that an edition takes the user's notation from its system. ctest runs it once
// per locale (tests/CMakeLists.txt) with the locale's variables set for the test process
// and TALLYO_NOTATION naming the notation the system should report; run without it, as in
// the ordinary listing of the tests, it has nothing to compare with and is skipped.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "platform/NumberFormat.h"
#include "support/Notations.h"

namespace tallyo::test {

inline void ExpectSystemNotation() {
  const char* expected = std::getenv("TALLYO_NOTATION");
  if (expected == nullptr) GTEST_SKIP() << "ctest runs this with a locale and TALLYO_NOTATION";
  const std::map<std::string, NumberFormat> notations = {
      {"plain", PlainNotation()},           {"English", EnglishNotation()},
      {"German", GermanNotation()},         {"French", FrenchNotation()},
      {"FrenchWide", FrenchWideNotation()},
  };
  const auto want = notations.find(expected);
  ASSERT_NE(want, notations.end()) << expected;
  EXPECT_EQ(UserNumberFormat(), want->second);
}

}  // namespace tallyo::test
