#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "log/RecordFields.h"

namespace tallyo {
namespace {

constexpr std::string_view kTime = "<T>12:00:00</T>";

void ExpectSameBits(const RecordFields& a, const RecordFields& b) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.volts), std::bit_cast<std::uint64_t>(b.volts));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.amps), std::bit_cast<std::uint64_t>(b.amps));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.rpm), std::bit_cast<std::uint64_t>(b.rpm));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.watts), std::bit_cast<std::uint64_t>(b.watts));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.speed), std::bit_cast<std::uint64_t>(b.speed));
  EXPECT_EQ(a.m, b.m);
}

// The shortcut on the rest of `line` (after its time field) followed by `next`, read from a
// buffer of exactly that size. Returns whether it took the line; when it did, its fields
// are the general rules' to the bit.
bool ShortcutAgrees(std::string_view line, std::string_view next) {
  const std::string text = std::string(line) + std::string(next);
  const std::size_t rest = text.size() - kTime.size();
  const auto bytes = std::make_unique<char[]>(rest);  // nothing readable past the end
  std::memcpy(bytes.get(), text.data() + kTime.size(), rest);
  RecordFields fast;
  if (!LoggedFields(bytes.get(), rest, fast)) return false;
  ExpectSameBits(fast, FieldsOf(line));
  return true;
}

std::string Logged(std::string_view v, std::string_view i, std::string_view m) {
  std::string s(kTime);
  s += " <V>" + std::string(v) + "</V> <I>" + std::string(i) + "</I> <R>213</R> <W>-26</W>";
  s += " <S>5.5</S>";
  if (!m.empty()) s += " <M>" + std::string(m) + "</M>";
  return s;
}

// A line after the one looked at, long enough for the shortcut to read its widest stretch.
const std::string kNextLine = "\r\n<V>7</V> <M>5</M>" + std::string(200, 'x') + "\r\n";

// Fields just outside the shortcut, and a few inside it. Every line is tried as the last
// of the text and followed by another line.
TEST(RecordFieldsTest, ShortcutAgreesWithTheGeneralRules) {
  const std::string asLogged = Logged("12.54", "-2.0", "0");
  const struct {
    const char* what;
    std::string line;
    bool shortcut;
  } kLines[] = {
      {"as logged", asLogged, true},
      {"no M field", Logged("12.54", "-2.0", ""), true},
      {"text after the M field", asLogged + " <V>9</V> x", true},
      {"minus zero", Logged("-0", "-0.0", "-0"), true},
      {"seven bytes", Logged("1234567", "-12.345", "1"), true},
      {"eight bytes and more", Logged("12345678", "-1234.5678", "00001"), true},
      {"fifteen digits", Logged("123456789012345", "0.00000000000001", "1"), true},
      {"sixteen digits", Logged("1234567890123456", "1", "1"), false},
      {"M halves to even", Logged("1", "1", "2.5"), true},
      {"M 3.5", Logged("1", "1", "3.5"), true},
      {"M at the 16-bit limits", Logged("1", "1", "-32768"), true},
      {"M past the 16-bit limits", Logged("1", "1", "32768"), true},
      {"M past the limit by rounding", Logged("1", "1", "32767.5"), true},
      {"a plus sign", Logged("+5", "1", "1"), false},
      {"an exponent", Logged("1e308", "1e400", "1e1"), false},
      {"not numbers", Logged("nan", "inf", "x"), false},
      {"no digit before the point", Logged(".5", "1", "1"), false},
      {"no digit after the point", Logged("5.", "1", "1"), false},
      {"two points", Logged("1.2.3", "1", "1"), false},
      {"a minus alone", Logged("-", "--1", "1"), false},
      {"an empty value", Logged("", "1", "1"), false},
      {"blanks around a value", Logged(" 5", "5\t", "1"), false},
      {"a decimal comma", Logged("1,5", "1", "1"), false},
      {"a CR inside a value", Logged("1\r", "1", "1"), false},
      {"a '<' inside a value", Logged("1<", "1", "1"), false},
      {"M empty", Logged("1", "1", " "), false},
      {"something after S instead of M", asLogged.substr(0, asLogged.size() - 9) + "x", false},
      {"a lone CR, then M", Logged("1", "1", "") + "\r <M>1</M>", false},
      {"an M tag without its close tag", asLogged.substr(0, asLogged.size() - 4), false},
      {"two blanks", std::string(kTime) + "  <V>1</V>", false},
      {"no blank", std::string(kTime) + "<V>1</V>", false},
      {"a tab", std::string(kTime) + "\t<V>1</V>", false},
      {"a lower-case tag", std::string(kTime) + " <v>1</v> <I>1</I>", false},
      {"fields in another order", std::string(kTime) + " <I>1</I> <V>1</V>", false},
      {"the wrong close tag", std::string(kTime) + " <V>1</I> <I>2</I>", false},
      {"a close tag cut short", std::string(kTime) + " <V>1</V", false},
  };
  for (const auto& c : kLines) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ShortcutAgrees(c.line, ""), c.shortcut);
    EXPECT_EQ(ShortcutAgrees(c.line, kNextLine), c.shortcut);
  }
}

// Values made of the bytes a plain decimal is made of, and a few others, in every length
// around the eight bytes the shortcut takes at once.
TEST(RecordFieldsTest, ShortcutAgreesOnMadeUpValues) {
  std::mt19937 random(20261209);
  constexpr std::string_view kBytes = "0123456789012345678901234567890123456789..--e+ <";
  auto value = [&] {
    std::string v(random() % 12, ' ');
    for (char& c : v) c = kBytes[random() % kBytes.size()];
    return v;
  };
  int taken = 0;
  for (int n = 0; n < 20000; ++n) {
    const std::string line = Logged(value(), value(), value());
    SCOPED_TRACE(line);
    taken += ShortcutAgrees(line, kNextLine) ? 1 : 0;
  }
  EXPECT_GT(taken, 1000);
}

}  // namespace
}  // namespace tallyo
