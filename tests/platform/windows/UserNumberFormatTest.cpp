#include <gtest/gtest.h>

#include "support/SystemNotationCase.h"

namespace tallyo::test {
namespace {

// The user's default locale; under Wine it follows LANG when that locale is generated.
TEST(UserNumberFormatTest, FollowsTheSystemLocale) { ExpectSystemNotation(); }

}  // namespace
}  // namespace tallyo::test
