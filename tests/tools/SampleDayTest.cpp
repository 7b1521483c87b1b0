#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SampleDay.h"

namespace tallyo {
namespace {

// The sample days by their file names.
constexpr const char* kWindyDay = "Sample 1 - windy afternoon.txt";
constexpr const char* kStormyDay = "Sample 2 - stormy afternoon.txt";
constexpr const char* kDamagedDay = "Sample 3 - damaged lines show as drops to 0.txt";
constexpr const char* kTwoSecondDay = "Sample 4 - every 2 seconds, too many for a whole day.txt";

const SampleDayFile& Day(const std::string& name) {
  static const std::vector<SampleDayFile> days = SampleDays();
  for (const SampleDayFile& d : days) {
    if (d.name == name) return d;
  }
  ADD_FAILURE() << "no sample day " << name;
  return days.front();
}

const std::string& DayText(const std::string& name) {
  static std::map<std::string, std::string> texts;
  auto it = texts.find(name);
  if (it == texts.end()) it = texts.emplace(name, MakeSampleDay(Day(name).settings)).first;
  return it->second;
}

// The lines of a text that ends in CR LF, without the empty piece after the last one.
// A lone CR or LF inside a line is a fault of the generator.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      ADD_FAILURE() << "text does not end in CR LF";
      break;
    }
    const std::string_view line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// The value between the first open tag and the first close tag, as the viewer finds it.
std::optional<std::string_view> Field(std::string_view line, char tag) {
  const char open[] = {'<', tag, '>', '\0'};
  const char close[] = {'<', '/', tag, '>', '\0'};
  const std::size_t p = line.find(open);
  const std::size_t q = line.find(close);
  if (p == std::string_view::npos || q == std::string_view::npos || q < p + 3) return {};
  return line.substr(p + 3, q - p - 3);
}

// Seconds of a strict "hh:mm:ss", or -1.
int Seconds(std::string_view t) {
  if (t.size() != 8 || t[2] != ':' || t[5] != ':') return -1;
  int part[3];
  for (int k = 0; k < 3; ++k) {
    const char* b = t.data() + 3 * k;
    if (std::from_chars(b, b + 2, part[k]).ptr != b + 2) return -1;
  }
  if (part[0] > 23 || part[1] > 59 || part[2] > 59) return -1;
  return part[0] * 3600 + part[1] * 60 + part[2];
}

struct Reading {
  int second;
  double volts, amps, rpm, watts, speed;
  bool hasM;
  int m;
};

// Reads a line in the logger's own shape, "<T>hh:mm:ss</T> <V>12.34</V> <I>-5.6</I>
// <R>123</R> <W>-45</W> <S>6.7</S>" with an optional " <M>0</M>" or " <M>1</M>", and
// the decimals the logger writes. Anything else is malformed.
bool ParseSound(std::string_view line, Reading& r) {
  const struct {
    char tag;
    int decimals;
    double* out;
  } numbers[] = {{'V', 2, &r.volts},
                 {'I', 1, &r.amps},
                 {'R', 0, &r.rpm},
                 {'W', 0, &r.watts},
                 {'S', 1, &r.speed}};
  if (!line.starts_with("<T>") || line.size() < 15 || line.substr(11, 4) != "</T>") return false;
  r.second = Seconds(line.substr(3, 8));
  if (r.second < 0) return false;
  line.remove_prefix(15);
  for (const auto& n : numbers) {
    const char open[] = {' ', '<', n.tag, '>', '\0'};
    const char close[] = {'<', '/', n.tag, '>', '\0'};
    if (!line.starts_with(open)) return false;
    line.remove_prefix(4);
    const std::size_t q = line.find(close);
    if (q == std::string_view::npos) return false;
    const std::string_view value = line.substr(0, q);
    const std::size_t dot = value.find('.');
    const int decimals =
        dot == std::string_view::npos ? 0 : static_cast<int>(value.size() - dot - 1);
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), *n.out);
    if (ec != std::errc() || ptr != value.data() + value.size() || decimals != n.decimals) {
      return false;
    }
    line.remove_prefix(q + 4);
  }
  r.hasM = !line.empty();
  r.m = 0;
  if (line == " <M>1</M>") r.m = 1;
  return line.empty() || line == " <M>0</M>" || line == " <M>1</M>";
}

// How many lines the viewer keeps for a window from..to (seconds, both excluded).
int RecordsInWindow(const std::vector<std::string_view>& lines, int from, int to) {
  int n = 0;
  for (std::string_view line : lines) {
    const std::optional<std::string_view> t = Field(line, 'T');
    const int s = t ? Seconds(*t) : -1;
    if (s > from && s < to) ++n;
  }
  return n;
}

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return h;
}

constexpr int kWholeDayEnd = 23 * 3600 + 59 * 60;  // the file list's 23:59

TEST(SampleDayTest, SameBytesOnEveryRunAndEveryMachine) {
  // The hashes pin the bytes across compilers and machines; a deliberate change of the
  // generator changes them, and they are then updated here.
  const struct {
    const char* name;
    std::uint64_t hash;
  } cases[] = {{kWindyDay, 0xdae85be8c4a52c22ull},
               {kStormyDay, 0x5393cf424d6437dcull},
               {kDamagedDay, 0x3dc1ad3ef84fde5aull},
               {kTwoSecondDay, 0xd1614ffaa1fb1568ull}};
  for (const auto& c : cases) {
    const std::string again = MakeSampleDay(Day(c.name).settings);
    EXPECT_TRUE(again == DayText(c.name)) << c.name;
    EXPECT_EQ(Fnv1a(again), c.hash) << c.name << " hash 0x" << std::hex << Fnv1a(again);
  }
}

TEST(SampleDayTest, DaysHaveTheirLinesTimesAndRecordCounts) {
  const struct {
    const char* name;
    int lines, step, lastTime;
    int wholeDayMin, wholeDayMax;  // records kept for 00:00 .. 23:59
  } cases[] = {
      {kWindyDay, 8640, 10, 86390, 8633, 8633},
      {kStormyDay, 8640, 10, 86390, 8633, 8633},
      {kDamagedDay, 8640, 10, 86390, 8550, 8632},
      {kTwoSecondDay, 43200, 2, 86398, 43169, 43169},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string_view> lines = Lines(DayText(c.name));
    ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
    Reading r;
    ASSERT_TRUE(ParseSound(lines.front(), r));
    EXPECT_EQ(r.second, 0);
    ASSERT_TRUE(ParseSound(lines.back(), r));
    EXPECT_EQ(r.second, c.lastTime);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (ParseSound(lines[i], r)) {
        EXPECT_EQ(r.second, static_cast<int>(i) * c.step) << lines[i];
      }
    }
    const int whole = RecordsInWindow(lines, 0, kWholeDayEnd);
    EXPECT_GE(whole, c.wholeDayMin);
    EXPECT_LE(whole, c.wholeDayMax);
  }
  // The 2-second day is too much for a whole-day display but fits from 10:00 to 15:00.
  EXPECT_EQ(RecordsInWindow(Lines(DayText(kTwoSecondDay)), 10 * 3600, 15 * 3600), 8999);
}

TEST(SampleDayTest, ReadingsBehaveLikeASmallWindGenerator) {
  for (const char* name : {kWindyDay, kStormyDay, kDamagedDay, kTwoSecondDay}) {
    SCOPED_TRACE(name);
    double vMin = 100, vMax = 0, aMin = 100, aMax = -100, wMin = 1000, wMax = -1000;
    int sound = 0, wattsOff = 0, wattsFar = 0, calm = 0, windy = 0;
    double rpmCalm = 0, rpmWindy = 0;
    for (std::string_view line : Lines(DayText(name))) {
      Reading r;
      if (!ParseSound(line, r)) continue;
      ++sound;
      vMin = std::min(vMin, r.volts), vMax = std::max(vMax, r.volts);
      aMin = std::min(aMin, r.amps), aMax = std::max(aMax, r.amps);
      wMin = std::min(wMin, r.watts), wMax = std::max(wMax, r.watts);
      const double va = r.volts * r.amps;
      if (std::abs(r.watts - va) > 0.5) ++wattsOff;
      if (std::abs(r.watts - va) > 0.05 * std::abs(va) + 6) ++wattsFar;
      if (r.speed < 2) ++calm, rpmCalm += r.rpm;
      if (r.speed > 10) ++windy, rpmWindy += r.rpm;
    }
    EXPECT_GE(vMin, 11.75);
    EXPECT_LE(vMax, 14.75);
    EXPECT_GE(vMax, 14.4);  // the dump load's level is reached
    EXPECT_LE(vMin, 12.5);
    // Calm spells draw from the battery, wind charges it: both sides of the zero lines.
    EXPECT_LT(aMin, -2);
    EXPECT_GT(aMax, 20);
    EXPECT_LT(wMin, -20);
    EXPECT_GT(wMax, 250);
    // Watts are close to volts times amps, but not the same number.
    EXPECT_GT(wattsOff, sound / 10);
    EXPECT_EQ(wattsFar, 0);
    ASSERT_GT(calm, 100);
    ASSERT_GT(windy, 100);
    EXPECT_LT(rpmCalm / calm, 100);
    EXPECT_GT(rpmWindy / windy, 350);
  }
}

TEST(SampleDayTest, DumpLoadStretchesWithCarriedOverM) {
  for (const char* name : {kWindyDay, kStormyDay, kDamagedDay, kTwoSecondDay}) {
    SCOPED_TRACE(name);
    int carried = 0, run = 0, longestRun = 0, withoutM = 0, carriedOne = 0;
    double voltsAtDumpStart = 0;
    int dumpStarts = 0;
    for (std::string_view line : Lines(DayText(name))) {
      Reading r;
      if (!ParseSound(line, r)) continue;
      if (r.hasM) {
        if (r.m == 1 && carried == 0) voltsAtDumpStart += r.volts, ++dumpStarts;
        carried = r.m;
      } else {
        ++withoutM;
        if (carried == 1) ++carriedOne;
      }
      run = carried == 1 ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
    }
    EXPECT_GE(longestRun, 30);
    EXPECT_GT(withoutM, 50);
    EXPECT_GT(carriedOne, 20);
    ASSERT_GT(dumpStarts, 0);
    EXPECT_NEAR(voltsAtDumpStart / dumpStarts, 14.42, 0.06);
  }
}

TEST(SampleDayTest, OnlyTheDamagedDayHasMalformedLines) {
  for (const char* name : {kWindyDay, kStormyDay, kTwoSecondDay}) {
    for (std::string_view line : Lines(DayText(name))) {
      Reading r;
      EXPECT_TRUE(ParseSound(line, r)) << name << ": " << line;
    }
  }
  int malformed = 0, lowerCase = 0, noTime = 0, blankInTag = 0, reordered = 0, letters = 0,
      missing = 0;
  for (std::string_view line : Lines(DayText(kDamagedDay))) {
    Reading r;
    if (ParseSound(line, r)) continue;
    ++malformed;
    if (line.find("<t>") != line.npos || line.find("<v>") != line.npos ||
        line.find("<i>") != line.npos || line.find("<r>") != line.npos ||
        line.find("<w>") != line.npos || line.find("<s>") != line.npos) {
      ++lowerCase;
    }
    if (line.find("<T>") == line.npos && line.find("<t>") == line.npos &&
        line.find("</T>") == line.npos && line.find("<V>") != line.npos) {
      ++noTime;
    }
    if (line.find("< ") != line.npos || line.find(" >") != line.npos ||
        line.find("</ ") != line.npos) {
      ++blankInTag;
    }
    const std::size_t t = line.find("<T>");
    if (t != line.npos && t > 0) ++reordered;
    int fields = 0;
    for (const char tag : {'V', 'I', 'R', 'W', 'S'}) {
      const std::optional<std::string_view> v = Field(line, tag);
      if (!v) continue;
      ++fields;
      double x;
      const auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), x);
      if (ec != std::errc() || ptr != v->data() + v->size()) ++letters;
    }
    if (line.starts_with("<T>") && Field(line, 'T') && fields >= 2 && fields < 5) ++missing;
  }
  EXPECT_GE(malformed, 25);
  EXPECT_LE(malformed, 100);
  EXPECT_GT(lowerCase, 0);
  EXPECT_GT(noTime, 0);
  EXPECT_GT(blankInTag, 0);
  EXPECT_GT(reordered, 0);
  EXPECT_GT(letters, 0);
  EXPECT_GT(missing, 0);
}

TEST(SampleDayTest, BenchmarkDaySpreadsItsLinesOverTheDay) {
  const std::string text = MakeSampleDay(BenchmarkDay(100000, 3));  // two write chunks
  const std::vector<std::string_view> lines = Lines(text);
  ASSERT_EQ(lines.size(), 100000u);
  int previous = -1, shared = 0;
  for (std::string_view line : lines) {
    Reading r;
    ASSERT_TRUE(ParseSound(line, r)) << line;
    EXPECT_GE(r.second, previous);
    if (r.second == previous) ++shared;
    previous = r.second;
  }
  EXPECT_EQ(Seconds(*Field(lines.front(), 'T')), 0);
  EXPECT_EQ(previous, 86399);
  EXPECT_EQ(shared, 100000 - 86400);

  EXPECT_TRUE(MakeSampleDay(BenchmarkDay(100000, 3)) == text);
  EXPECT_FALSE(MakeSampleDay(BenchmarkDay(100000, 4)) == text);
  EXPECT_EQ(MakeSampleDay(BenchmarkDay(0, 3)), "");
  const std::string one = MakeSampleDay(BenchmarkDay(1, 3));
  EXPECT_TRUE(one.starts_with("<T>00:00:00</T> ") && one.ends_with("\r\n")) << one;
  EXPECT_EQ(Lines(one).size(), 1u);
}

TEST(SampleDayTest, WritesTheFileOrReportsThatItCannot) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tallyo_sample_day_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const SampleDaySettings settings = BenchmarkDay(5000, 9);
  const std::filesystem::path file = dir / "day.txt";
  ASSERT_TRUE(WriteSampleDayFile(settings, file.string()));
  std::ifstream in(file, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), {}};
  in.close();  // Windows removes no file that is open
  EXPECT_TRUE(written == MakeSampleDay(settings));

  const std::filesystem::path missing = dir / "no such folder" / "day.txt";
  EXPECT_FALSE(WriteSampleDayFile(settings, missing.string()));
  EXPECT_FALSE(std::filesystem::exists(missing));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tallyo
