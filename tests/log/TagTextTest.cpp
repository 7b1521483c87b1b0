#include <gtest/gtest.h>

#include <string>

#include "log/TagText.h"

namespace tallyo {
namespace {

constexpr std::string_view kExample =
    "<T>12:34:56</T> <V>13.2</V> <I>4.5</I> <R>350</R> <W>59</W> <S>7.8</S> <M>1</M>";

TEST(TagTextTest, FindsEachFieldOfALine) {
  const struct {
    char tag;
    const char* text;
  } cases[] = {{'T', "12:34:56"}, {'V', "13.2"}, {'I', "4.5"}, {'R', "350"},
               {'W', "59"},       {'S', "7.8"},  {'M', "1"}};
  for (const auto& c : cases) EXPECT_EQ(TagText(kExample, c.tag), c.text) << c.tag;
}

TEST(TagTextTest, Cases) {
  const struct {
    const char* line;
    char tag;
    std::optional<std::string_view> text;
  } cases[] = {
      {"<S>1</S> x <V>2</V> <T>1:00</T>", 'V', "2"},  // any order, text around
      {"<S>1</S> x <V>2</V> <T>1:00</T>", 'T', "1:00"},
      {"<V>1</V><V>2</V>", 'V', "1"},   // the first of two
      {"<v>1</v>", 'V', std::nullopt},  // lower case is no tag
      {"<V>1</v>", 'V', std::nullopt},
      {"< V>1</V>", 'V', std::nullopt},  // a blank inside is no tag
      {"<V>1</ V>", 'V', std::nullopt},
      {"<V>13.2", 'V', std::nullopt},        // no close tag
      {"13.2</V>", 'V', std::nullopt},       // no open tag
      {"<V></V>", 'V', ""},                  // present and empty
      {"</V>5<V>6</V>", 'V', std::nullopt},  // the first close tag lies before the open tag
      {"<V> 1 </V>", 'V', " 1 "},            // blanks belong to the value
      {"<V><I>2</I></V>", 'V', "<I>2</I>"},
      {"<V><I>2</I></V>", 'I', "2"},
      {"<V>1</V>", 'I', std::nullopt},
      {"", 'T', std::nullopt},
      {"<T>", 'T', std::nullopt},
      {"<T</T>", 'T', std::nullopt},
      {"<V>a\rb\nc</V>", 'V', "a\rb\nc"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagText(c.line, c.tag), c.text) << c.line;
}

TEST(TagTextTest, SearchesTheWholeOfALongLine) {
  std::string line(100000, 'x');
  line += "<W>59</W>";
  line += std::string(100000, '<');
  EXPECT_EQ(TagText(line, 'W'), "59");
  const std::string_view withNul("<V>1\0x</V>", 10);
  EXPECT_EQ(TagText(withNul, 'V'), std::string_view("1\0x", 3));
}

}  // namespace
}  // namespace tallyo
