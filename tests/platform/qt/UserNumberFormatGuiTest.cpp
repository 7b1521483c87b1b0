#include <gtest/gtest.h>

#include "support/SystemNotationCase.h"

namespace tallyo::test {
namespace {

// Qt's system locale: LC_ALL, then LC_NUMERIC, then LANG, with no generated locale needed.
TEST(UserNumberFormatGuiTest, FollowsTheSystemLocale) { ExpectSystemNotation(); }

}  // namespace
}  // namespace tallyo::test
