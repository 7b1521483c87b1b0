#include "log/RecordFields.h"

#include <bit>
#include <cstring>

#include "log/ByteMasks.h"
#include "log/RecordLine.h"
#include "platform/Rounding.h"
#include "platform/TextRules.h"

namespace tallyo {

namespace {

// A plain decimal of at most 15 digits is an exact integer over an exact power of ten, so
// one division rounds it once, to the very double the number rule gives; a division costs
// far less than the general parse.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMostDigits = 15;

// Set whole by every reader that succeeds; left without initial values, since zeroing the
// six of a line showed in its time.
struct Decimal {
  std::uint64_t digits;
  int fraction;  // digits after the point
  bool negative;

  double Value() const {
    const double whole = static_cast<double>(digits);
    const double v = fraction == 0 ? whole : whole / kPowersOfTen[fraction];
    return negative ? -v : v;
  }
};

bool IsDigit(char c) { return static_cast<unsigned char>(c) - unsigned{'0'} < 10u; }

// Reads a plain decimal from p on, not past end, and moves p behind it.
bool ReadDecimal(const char*& p, const char* end, Decimal& d) {
  const char* q = p;
  d.negative = q < end && *q == '-';
  if (d.negative) ++q;
  std::uint64_t digits = 0;
  const char* first = q;
  while (q < end && IsDigit(*q)) digits = digits * 10 + static_cast<std::uint64_t>(*q++ - '0');
  const auto whole = q - first;
  if (whole == 0) return false;
  std::ptrdiff_t fraction = 0;
  if (q < end && *q == '.') {
    first = ++q;
    while (q < end && IsDigit(*q)) digits = digits * 10 + static_cast<std::uint64_t>(*q++ - '0');
    fraction = q - first;
    if (fraction == 0) return false;
  }
  if (whole + fraction > kMostDigits) return false;
  d.digits = digits;
  d.fraction = static_cast<int>(fraction);
  p = q;
  return true;
}

// The integer rule for a plain decimal in the shortcut: a whole number needs no rounding.
std::int16_t IntegerOf(const Decimal& d) {
  if (d.fraction != 0) return ToInt16HalfEven(d.Value()).value_or(0);
  if (d.digits <= (d.negative ? 32768u : 32767u)) {
    const auto v = static_cast<int>(d.digits);
    return static_cast<std::int16_t>(d.negative ? -v : v);
  }
  return 0;
}

// Bytes of text as one number, the first byte lowest (the byte order of x86-64 and of every
// machine this program is built for).
template <class Word>
Word Load(const char* p) {
  Word x;
  std::memcpy(&x, p, sizeof x);
  return x;
}

constexpr std::uint32_t Bytes4(char a, char b, char c, char d) {
  return static_cast<unsigned char>(a) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

constexpr std::uint64_t kEach(unsigned char c) { return 0x0101010101010101u * c; }

// Bit 7 of the first byte of x that equals c (and perhaps of later ones); 0 when none does.
std::uint64_t FirstByteOf(std::uint64_t x, unsigned char c) {
  const std::uint64_t t = x ^ kEach(c);
  return (t - kEach(1)) & ~t & kEach(0x80);
}

// The plain decimal in the first `length` bytes of x (1 to 7 of them), checked and
// converted eight digits at a time, without a branch per byte.
bool ShortDecimal(std::uint64_t x, int length, Decimal& d) {
  d.negative = (x & 0xff) == '-';
  if (d.negative) {
    x >>= 8;
    --length;
  }
  if (length <= 0) return false;
  x &= (std::uint64_t{1} << (8 * length)) - 1;
  int count = length;
  d.fraction = 0;
  if (const std::uint64_t point = FirstByteOf(x, '.') & ((std::uint64_t{1} << (8 * length)) - 1)) {
    const int at = std::countr_zero(point) / 8;
    d.fraction = length - 1 - at;
    if (at == 0 || d.fraction == 0) return false;
    const std::uint64_t low = x & ((std::uint64_t{1} << (8 * at)) - 1);
    x = low | ((x >> (8 * (at + 1))) << (8 * at));
    --count;
  }
  // The digits into the top bytes, '0's in front of them; a second point fails here.
  x = (x << (8 * (8 - count))) | (kEach('0') >> (8 * count));
  if ((x & kEach(0xf0)) != kEach('0') || ((x + kEach(6)) & kEach(0xf0)) != kEach('0')) {
    return false;
  }
  // Pairs, then fours, then all eight digits.
  x -= kEach('0');
  x = x * 10 + (x >> 8);
  x = (((x & 0x000000ff000000ffu) * (100 + (std::uint64_t{1000000} << 32))) +
       (((x >> 16) & 0x000000ff000000ffu) * (1 + (std::uint64_t{10000} << 32)))) >>
      32;
  d.digits = static_cast<std::uint32_t>(x);
  return true;
}

constexpr char kTagLetters[] = {'V', 'I', 'R', 'W', 'S', 'M'};
constexpr int kFields = 6;

// The five decimal fields of a line, in tag order.
void SetValues(const Decimal* values, RecordFields& fields) {
  fields.volts = values[0].Value();
  fields.amps = values[1].Value();
  fields.rpm = values[2].Value();
  fields.watts = values[3].Value();
  fields.speed = values[4].Value();
}

// The shortcut when kWindow bytes may be read: the '<'s of the next 128 bytes at once give
// every field's place, so the six values are read side by side instead of one after the
// other. false when the line is not laid out so (or a value is too long for eight bytes);
// the caller then tries OneByOne.
constexpr std::size_t kWindow = 2 * kMaskBytes + 16;

bool AtOnce(const char* p, RecordFields& fields) {
  constexpr int kTags = 2 * kFields;
  constexpr int kNotFound = 1000;  // fails every check below before anything is read there
  int at[kTags];
  std::uint64_t low = OpenMaskOf(p);
  std::uint64_t high = OpenMaskOf(p + kMaskBytes);
  for (int& a : at) {
    if (low != 0) {
      a = std::countr_zero(low);
      low &= low - 1;
    } else if (high != 0) {
      a = kMaskBytes + std::countr_zero(high);
      high &= high - 1;
    } else {
      a = kNotFound;
    }
  }
  // The logger writes M only when it changes: a line that ends after its S field has none.
  const int sClose = at[2 * kFields - 3];
  const bool noM = sClose < 2 * kMaskBytes &&
                   Load<std::uint32_t>(p + sClose + 2) == Bytes4('S', '>', '\r', '\n');
  const std::ptrdiff_t fieldCount = noM ? kFields - 1 : kFields;
  Decimal values[kFields];
  for (std::ptrdiff_t i = 0; i < fieldCount; ++i) {
    const int open = at[2 * i];
    const int close = at[2 * i + 1];
    const int length = close - open - 3;
    // One blank before each field, straight after the previous one's close tag.
    if (open != (i == 0 ? 1 : at[2 * i - 1] + 5) || length < 1 || length > 7) return false;
    const char tag = kTagLetters[i];
    if (Load<std::uint32_t>(p + open - 1) != Bytes4(' ', '<', tag, '>') ||
        Load<std::uint32_t>(p + close) != Bytes4('<', '/', tag, '>') ||
        !ShortDecimal(Load<std::uint64_t>(p + open + 3), length, values[i])) {
      return false;
    }
  }
  SetValues(values, fields);
  fields.m = noM ? std::nullopt : std::optional<std::int16_t>(IntegerOf(values[5]));
  return true;
}

// The four bytes c0 c1 letter '>' at p, not past end; moves p behind them.
bool ReadTag(const char*& p, const char* end, char c0, char c1, char letter) {
  if (end - p < 4 || Load<std::uint32_t>(p) != Bytes4(c0, c1, letter, '>')) return false;
  p += 4;
  return true;
}

// The shortcut byte by byte, never reading at or past end.
bool OneByOne(const char* p, const char* end, RecordFields& fields) {
  Decimal values[kFields];
  for (int i = 0; i < kFields; ++i) {
    const char tag = kTagLetters[i];
    if (tag == 'M' && (p == end || (end - p >= 2 && p[0] == '\r' && p[1] == '\n'))) {
      fields.m = std::nullopt;  // the line ends after its S field
      break;
    }
    if (!ReadTag(p, end, ' ', '<', tag) || !ReadDecimal(p, end, values[i]) ||
        !ReadTag(p, end, '<', '/', tag)) {
      return false;
    }
    if (tag == 'M') fields.m = IntegerOf(values[i]);
  }
  SetValues(values, fields);
  return true;
}

// The value of a plain decimal as the shortcut takes it; nothing for any other text.
std::optional<double> PlainDecimal(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  if (Decimal d; ReadDecimal(p, end, d) && p == end) return d.Value();
  return std::nullopt;
}

double NumberField(const RecordLine& line, char tag) {
  const std::optional<std::string_view> text = line.Field(tag);
  if (!text) return 0;
  if (const std::optional<double> plain = PlainDecimal(*text)) return *plain;
  return ParseNumber(*text).value_or(0);
}

}  // namespace

RecordFields FieldsOf(std::string_view line) {
  const RecordLine fields(line);
  RecordFields r;
  r.volts = NumberField(fields, 'V');
  r.amps = NumberField(fields, 'I');
  r.rpm = NumberField(fields, 'R');
  r.watts = NumberField(fields, 'W');
  r.speed = NumberField(fields, 'S');
  if (const std::optional<std::string_view> mText = fields.Field('M'))
    r.m = ParseLogInteger(*mText);
  return r;
}

bool LoggedFields(const char* afterTime, std::size_t available, RecordFields& fields) {
  if (available >= kWindow && AtOnce(afterTime, fields)) return true;
  return OneByOne(afterTime, afterTime + available, fields);
}

}  // namespace tallyo
