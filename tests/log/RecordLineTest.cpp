#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "log/RecordLine.h"
#include "log/TagText.h"

namespace tallyo {
namespace {

constexpr char kTags[] = {'T', 'V', 'I', 'R', 'W', 'S', 'M'};

void ExpectSameAsTagText(std::string_view line) {
  const RecordLine record(line);
  for (const char tag : kTags) {
    EXPECT_EQ(record.Field(tag), TagText(line, tag)) << '"' << line << "\" " << tag;
  }
}

TEST(RecordLineTest, AgreesWithTagText) {
  const char* lines[] = {
      "<T>12:34:56</T> <V>13.2</V> <I>4.5</I> <R>350</R> <W>59</W> <S>7.8</S> <M>1</M>",
      "<S>1</S> x <V>2</V> <T>1:00</T>",
      "<V>1</V><V>2</V>",
      "<v>1</v><V>1</v>",
      "< V>1</ V>",
      "<V>13.2",
      "</V>5<V>6</V>",
      "<V></V>",
      "<V><I>2</I></V>",
      "<<V>>1<</V>>",
      "<T></T><T>",
      "</T><T>",
      "<",
      "<T",
      "<T>",
      "</T",
      "",
      "<M>1</M></M>",
  };
  for (const char* line : lines) ExpectSameAsTagText(line);
}

TEST(RecordLineTest, OtherLettersAreNoField) {
  const RecordLine record("<X>1</X><T>2</T>");
  EXPECT_EQ(record.Field('X'), std::nullopt);
  EXPECT_EQ(record.Field('T'), "2");
}

// Lines made of tags, broken tags and stray characters in random order.
TEST(RecordLineTest, AgreesWithTagTextOnRandomLines) {
  std::vector<std::string> pieces = {"<", ">", "/", "x", "1", " ", "<X>", "</x>"};
  for (const char tag : kTags) {
    pieces.push_back(std::string("<") + tag + ">");
    pieces.push_back(std::string("</") + tag + ">");
    pieces.push_back(std::string(1, tag));
  }
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  for (int i = 0; i < 20000 && !HasFailure(); ++i) {
    std::string line;
    for (int n = length(random); n > 0; --n) line += pieces[pick(random)];
    ExpectSameAsTagText(line);
  }
}

}  // namespace
}  // namespace tallyo
