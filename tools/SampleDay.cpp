#include "SampleDay.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace tallyo {
namespace {

constexpr double kDaySeconds = 86400;
constexpr double kSqrt3 = 1.7320508075688772;

// splitmix64: tiny, fast, and the same sequence on every compiler and library, which the
// standard distributions are not.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  // Close enough to a unit normal for wind noise, and free of log and cos, whose last
  // bits differ between maths libraries.
  double Normal() { return (Uniform() + Uniform() + Uniform() + Uniform() - 2.0) * kSqrt3; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

// Share of the gap to its target that a first-order lag with time constant tau closes in
// one step of dt seconds. Unlike dt / tau it stays below 1 for the 10-second days.
double Lag(double tau, double dt) { return dt / (tau + dt); }

// A mean-reverting random wander (discrete Ornstein-Uhlenbeck) whose spread does not
// depend on the step length, so a 10-second day and a benchmark day look alike.
class Wander {
 public:
  Wander(double tau, double sigma, double dt) : a_(tau / (tau + dt)) {
    b_ = sigma * std::sqrt(1 - a_ * a_);
  }
  double Step(Random& random) { return x_ = a_ * x_ + b_ * random.Normal(); }

 private:
  double a_, b_;
  double x_ = 0;
};

double MeanWind(const SampleDaySettings& s, double hour) {
  double speed = 0;
  if (!s.wind.empty()) {
    speed = s.wind.front().speed;
    for (std::size_t k = 1; k < s.wind.size(); ++k) {
      const WindKnot& a = s.wind[k - 1];
      const WindKnot& b = s.wind[k];
      if (hour >= b.hour) {
        speed = b.speed;
      } else if (hour >= a.hour) {
        speed = a.speed + (b.speed - a.speed) * (hour - a.hour) / (b.hour - a.hour);
        break;
      }
    }
  }
  constexpr double kRamp = 0.25;
  double factor = 1;
  for (const CalmSpell& c : s.calms) {
    const double in = (hour - (c.fromHour - kRamp)) / kRamp;
    const double out = ((c.toHour + kRamp) - hour) / kRamp;
    double depth = in < out ? in : out;
    if (depth <= 0) continue;
    if (depth > 1) depth = 1;
    const double f = 1 - 0.93 * depth;
    if (f < factor) factor = f;
  }
  return speed * factor;
}

// A small 400 W turbine: cut-in at 3 m/s, rated at 12.5 m/s, furling out of the wind
// above 14 m/s.
double TurbineWatts(double v) {
  if (v < 3) return 0;
  if (v < 12.5) return 400 * (v * v * v - 27) / (12.5 * 12.5 * 12.5 - 27);
  if (v < 14) return 400;
  const double w = 400 - 30 * (v - 14);
  return w > 250 ? w : 250;
}

// The rotor idles up unloaded below cut-in and is held near its best tip speed above it.
double RotorRpm(double v) {
  if (v < 1.2) return 0;
  if (v < 3) return 65 * (v - 1.2);
  if (v < 14) return 117 + 38 * (v - 3);
  return 535 + 6 * (v - 14);
}

double FloorMod(double x, double m) { return x - m * std::floor(x / m); }

constexpr double kCapacityAh = 200;

// Where the lead-acid bank's polarisation settles for a steady current: charging lifts the
// voltage, steeply so when the bank is nearly full; a load pulls it down.
double PolarisationVolts(double amps, double charge) {
  const double c2 = charge * charge;
  return amps > 0 ? amps * (0.018 + 0.12 * c2 * c2) : amps * 0.03;
}

struct Reading {
  int second;
  double volts, amps, rpm, watts, speed;
  int m;
  bool writeM;
};

// The logger's world, stepped once per line.
class Simulation {
 public:
  explicit Simulation(const SampleDaySettings& s)
      : s_(s),
        dt_(kDaySeconds / static_cast<double>(s.lineCount)),
        random_(s.seed),
        meander_(1500, 0.14, dt_),
        turbulence_(14, s.turbulence, dt_),
        charge_(s.startCharge) {
    // The day starts in mid-run: the rotor already turns with the midnight wind.
    rotorWind_ = MeanWind(s, 0);
    rpm_ = RotorRpm(rotorWind_);
    const double amps = TurbineWatts(rotorWind_) / 12.6 - 0.9;
    polarisation_ = PolarisationVolts(amps, charge_);
    volts_ = 11.9 + 0.85 * charge_ + 0.014 * amps + polarisation_;
    settled_ = volts_;
  }

  Reading Step(std::int64_t i) {
    const double t = static_cast<double>(i) * kDaySeconds / static_cast<double>(s_.lineCount);
    const double hour = t / 3600;
    Reading r;
    r.second = static_cast<int>(i * 86400 / s_.lineCount);

    // Wind at the anemometer: the day's profile, a slow meander, turbulence and gusts.
    const double mean = MeanWind(s_, hour);
    const double wander = meander_.Step(random_);
    const double turb = turbulence_.Step(random_);
    if (random_.Uniform() < s_.gustsPerHour * dt_ / 3600)
      gustKick_ += mean * random_.Uniform(0.25, 0.6);
    gustKick_ *= 1 - Lag(12, dt_);
    gust_ += (gustKick_ - gust_) * Lag(3, dt_);
    double wind = mean * (1 + wander + turb) + gust_;
    if (wind < 0.4) wind = 0;  // the cups stall
    r.speed = wind;

    // The rotor's inertia smooths the wind it turns into power.
    rotorWind_ += (wind - rotorWind_) * Lag(6, dt_);
    rpm_ += (RotorRpm(rotorWind_) - rpm_) * Lag(3, dt_);
    r.rpm = rpm_ > 0.5 ? rpm_ + random_.Uniform(-2, 2) : 0;
    if (r.rpm < 0) r.rpm = 0;
    const double turbineAmps = TurbineWatts(rotorWind_) / volts_;

    // The house draws from the battery all day. While the dump load is in, the
    // controller diverts whatever turbine current would push the bank past 14.25 V.
    if (pumpUntil_ < t && hour > 7 && hour < 21 && random_.Uniform() < 1.5 * dt_ / 3600) {
      pumpUntil_ = t + random_.Uniform(90, 150);
    }
    double house = 0.9;
    if (hour >= 6.5 && hour < 7.75) house += 1.8;
    if (hour >= 18.25 && hour < 22.75) house += 2.6;
    if (FloorMod(t / 60 + s_.fridgePhaseMinutes, 47) < 16) house += 3.4;
    if (t < pumpUntil_) house += 6.5;
    double divert = dumpOn_ ? 80 * (volts_ - 14.25) : 0;
    if (divert < 0) divert = 0;
    if (divert > turbineAmps) divert = turbineAmps;
    dumpAmps_ += (divert - dumpAmps_) * Lag(8, dt_);
    const double amps = turbineAmps - house - dumpAmps_;

    // The bank's voltage: resting voltage from the charge, an ohmic drop, and a
    // polarisation that follows the current over minutes.
    charge_ += amps * dt_ / 3600 / kCapacityAh;
    if (charge_ > 1) charge_ = 1;
    if (charge_ < 0.02) charge_ = 0.02;
    polarisation_ += (PolarisationVolts(amps, charge_) - polarisation_) * Lag(300, dt_);
    double v = 11.9 + 0.85 * charge_ + 0.014 * amps + polarisation_;
    if (v > 14.3) {
      const double x = v - 14.3;
      v = 14.3 + x / (1 + x / 0.45);  // gassing holds the voltage below about 14.75
    } else if (v < 11.95) {
      const double x = 11.95 - v;
      v = 11.95 - x / (1 + x / 0.2);
    }
    volts_ = v;

    // The dump load switches in above 14.4 V and out once the bank has settled below
    // 14.05 V (the wind has dropped), after being in for a minute at least.
    if (!dumpOn_ && v > 14.4) {
      dumpOn_ = true;
      dumpSince_ = t;
    }
    settled_ += (v - settled_) * Lag(20, dt_);
    if (dumpOn_ && settled_ < 14.05 && t - dumpSince_ >= 60) {
      dumpOn_ = false;
    }

    r.volts = v + random_.Uniform(-0.008, 0.008);
    r.amps = amps + 0.05 * random_.Normal();
    // The logger samples volts and amps a moment apart for the watts.
    r.watts = v * (amps + random_.Uniform(-0.15, 0.15));
    r.m = dumpOn_ ? 1 : 0;

    // Every other dump episode, starting with the first, and ten minutes after it, the logger
    // writes M only when it changes; the viewer carries the last M over to the lines without one.
    if (r.m == 1 && prevM_ == 0 && ++episodes_ % 2 == 1) compact_ = true;
    if (compact_ && r.m == 0 && prevM_ == 1) compactUntil_ = t + 600;
    if (compact_ && r.m == 0 && prevM_ == 0 && t > compactUntil_) compact_ = false;
    r.writeM = !compact_ || r.m != prevM_;
    prevM_ = r.m;
    return r;
  }

 private:
  const SampleDaySettings& s_;
  double dt_;
  Random random_;
  Wander meander_;
  Wander turbulence_;
  double gustKick_ = 0, gust_ = 0;
  double rotorWind_ = 0, rpm_ = 0;
  double pumpUntil_ = -1;
  double charge_;
  double polarisation_ = 0;
  double volts_ = 12.5;
  bool dumpOn_ = false;
  double dumpAmps_ = 0;
  double settled_ = 12.5;  // the controller's averaged view of the volts
  double dumpSince_ = 0;
  int prevM_ = 0;
  int episodes_ = 0;
  bool compact_ = false;
  double compactUntil_ = 0;
};

// Fixed-decimal text by integer arithmetic (half away from zero), so no locale and no
// library differences can touch it. Returns the end of the text.
char* PutFixed(char* p, double x, int decimals) {
  static constexpr double kScale[] = {1, 10, 100, 1000};
  const double y = x * kScale[decimals];
  const bool negative = y < 0;
  std::uint64_t n = static_cast<std::uint64_t>((negative ? -y : y) + 0.5);
  if (negative && n != 0) *p++ = '-';
  char digits[24];
  int len = 0;
  do {
    digits[len++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0 || len <= decimals);
  for (int k = len - 1; k >= 0; --k) {
    *p++ = digits[k];
    if (k == decimals && decimals > 0) *p++ = '.';
  }
  return p;
}

char* PutTime(char* p, int second) {
  const int h = second / 3600, m = second / 60 % 60, s = second % 60;
  *p++ = static_cast<char>('0' + h / 10);
  *p++ = static_cast<char>('0' + h % 10);
  *p++ = ':';
  *p++ = static_cast<char>('0' + m / 10);
  *p++ = static_cast<char>('0' + m % 10);
  *p++ = ':';
  *p++ = static_cast<char>('0' + s / 10);
  *p++ = static_cast<char>('0' + s % 10);
  return p;
}

char* PutText(char* p, const char* text) {
  const std::size_t n = std::strlen(text);
  std::memcpy(p, text, n);
  return p + n;
}

// The fields of one line, in the logger's order T V I R W S M.
constexpr int kFields = 7;
constexpr char kTags[kFields] = {'T', 'V', 'I', 'R', 'W', 'S', 'M'};

struct Field {
  char value[24];
  int length;
  bool present;
  char open[8];   // "<V>" normally
  char close[8];  // "</V>" normally
};

struct Line {
  Field fields[kFields];
  int order[kFields];
};

void SetValue(Field& f, const char* begin, const char* end) {
  f.length = static_cast<int>(end - begin);
  std::memcpy(f.value, begin, static_cast<std::size_t>(f.length));
}

void MakeLine(const Reading& r, Line& line) {
  for (int k = 0; k < kFields; ++k) {
    Field& f = line.fields[k];
    f.present = true;
    std::snprintf(f.open, sizeof f.open, "<%c>", kTags[k]);
    std::snprintf(f.close, sizeof f.close, "</%c>", kTags[k]);
    line.order[k] = k;
  }
  char text[24];
  SetValue(line.fields[0], text, PutTime(text, r.second));
  SetValue(line.fields[1], text, PutFixed(text, r.volts, 2));
  SetValue(line.fields[2], text, PutFixed(text, r.amps, 1));
  SetValue(line.fields[3], text, PutFixed(text, r.rpm, 0));
  SetValue(line.fields[4], text, PutFixed(text, r.watts, 0));
  SetValue(line.fields[5], text, PutFixed(text, r.speed, 1));
  SetValue(line.fields[6], text, PutFixed(text, r.m, 0));
  line.fields[6].present = r.writeM;
}

char* PutLine(char* p, const Line& line) {
  bool first = true;
  for (int k = 0; k < kFields; ++k) {
    const Field& f = line.fields[line.order[k]];
    if (!f.present) continue;
    if (!first) *p++ = ' ';
    first = false;
    p = PutText(p, f.open);
    std::memcpy(p, f.value, static_cast<std::size_t>(f.length));
    p += f.length;
    p = PutText(p, f.close);
  }
  return p;
}

// The fast path for a well-formed line.
char* PutReading(char* p, const Reading& r) {
  p = PutText(p, "<T>");
  p = PutTime(p, r.second);
  p = PutText(p, "</T> <V>");
  p = PutFixed(p, r.volts, 2);
  p = PutText(p, "</V> <I>");
  p = PutFixed(p, r.amps, 1);
  p = PutText(p, "</I> <R>");
  p = PutFixed(p, r.rpm, 0);
  p = PutText(p, "</R> <W>");
  p = PutFixed(p, r.watts, 0);
  p = PutText(p, "</W> <S>");
  p = PutFixed(p, r.speed, 1);
  p = PutText(p, "</S>");
  if (r.writeM) {
    p = PutText(p, " <M>");
    *p++ = static_cast<char>('0' + r.m);
    p = PutText(p, "</M>");
  }
  return p;
}

// One of the ways a line goes wrong, taken in turn so that each shows up in a day.
char* PutMalformed(char* p, const Reading& r, int kind, Random& random) {
  Line line;
  MakeLine(r, line);
  switch (kind) {
    case 0: {  // lower-case tags: the whole line, or one field
      const bool whole = random.Below(2) == 0;
      const int one = 1 + random.Below(5);
      for (int k = 0; k < kFields; ++k) {
        if (!whole && k != one) continue;
        Field& f = line.fields[k];
        f.open[1] = static_cast<char>(f.open[1] - 'A' + 'a');
        f.close[2] = static_cast<char>(f.close[2] - 'A' + 'a');
      }
      break;
    }
    case 1: {  // missing fields
      line.fields[1 + random.Below(5)].present = false;
      if (random.Below(2) == 0) line.fields[1 + random.Below(5)].present = false;
      break;
    }
    case 2: {  // garbage: a logger message or line noise
      static const char* const kMessages[] = {
          "*** LOGGER RESTART ***", "SD card write retry 3", "@@@@@@@@@@@@@@@@@@@@",
          "ERR 0x1F sensor timeout on channel 2", "TV>13.1</V><I>3"};
      const int which = random.Below(6);
      if (which < 5) return PutText(p, kMessages[which]);
      const int n = 20 + random.Below(40);
      for (int k = 0; k < n; ++k) {
        char c = static_cast<char>(33 + random.Below(94));
        if (c == '<') c = '#';
        *p++ = c;
      }
      return p;
    }
    case 3:  // no time
      line.fields[0].present = false;
      break;
    case 4: {  // letters instead of a number
      static const char* const kTexts[] = {"n/a", "1O.4", "err", "x7.2", "?", "abc"};
      const char* text = kTexts[random.Below(6)];
      SetValue(line.fields[1 + random.Below(5)], text, text + std::strlen(text));
      break;
    }
    case 5: {  // a blank inside a tag
      Field& f = line.fields[random.Below(6)];
      const char c = f.open[1];
      switch (random.Below(4)) {
        case 0:
          std::snprintf(f.open, sizeof f.open, "< %c>", c);
          break;
        case 1:
          std::snprintf(f.open, sizeof f.open, "<%c >", c);
          break;
        case 2:
          std::snprintf(f.close, sizeof f.close, "</ %c>", c);
          break;
        default:
          std::snprintf(f.close, sizeof f.close, "</%c >", c);
          break;
      }
      break;
    }
    case 6: {  // fields in another order
      for (int k = kFields - 1; k > 0; --k) {
        const int j = random.Below(k + 1);
        const int swap = line.order[k];
        line.order[k] = line.order[j];
        line.order[j] = swap;
      }
      if (line.order[0] == 0) {  // make sure the time is not first, so it reads out of order
        line.order[0] = line.order[3];
        line.order[3] = 0;
      }
      break;
    }
    default: {  // a line cut off mid-write
      char full[160];
      const char* end = PutLine(full, line);
      const int n = 20 + random.Below(static_cast<int>(end - full) - 24);
      std::memcpy(p, full, static_cast<std::size_t>(n));
      return p + n;
    }
  }
  return PutLine(p, line);
}

constexpr int kMalformedKinds = 8;
constexpr std::size_t kChunk = 4u << 20;
constexpr std::size_t kLongestLine = 256;

}  // namespace

std::vector<SampleDayFile> SampleDays() {
  std::vector<SampleDayFile> days(4);

  // A breezy night, a calm dawn, a windy afternoon and a still late evening.
  days[0].name = "Sample 1 - windy afternoon.txt";
  SampleDaySettings& a = days[0].settings;
  a.seed = 0x2026112501;
  a.lineCount = 8640;
  a.wind = {{0, 5.5},   {3, 4.5},     {7, 2.5}, {10, 4.5}, {12.5, 8},
            {14, 11.5}, {16.5, 12.5}, {18, 9},  {20, 6},   {24, 4}};
  a.calms = {{3.75, 5.5}, {21.5, 22.75}};
  a.gustsPerHour = 14;
  a.turbulence = 0.18;
  a.startCharge = 0.72;
  a.fridgePhaseMinutes = 5;

  // A front going through in the night, a long calm morning, a stormy afternoon.
  days[1].name = "Sample 2 - stormy afternoon.txt";
  SampleDaySettings& b = days[1].settings;
  b.seed = 0x2026112602;
  b.lineCount = 8640;
  b.wind = {{0, 9.5},   {2, 11},  {4.5, 7}, {8, 3.5}, {13, 6},
            {14.5, 12}, {17, 14}, {19, 8},  {22, 6},  {24, 5.5}};
  b.calms = {{9, 12.25}};
  b.gustsPerHour = 20;
  b.turbulence = 0.22;
  b.startCharge = 0.5;
  b.fridgePhaseMinutes = 31;

  // Still until dawn, a gusty afternoon, a calm at supper; the file has damaged lines.
  days[2].name = "Sample 3 - damaged lines show as drops to 0.txt";
  SampleDaySettings& c = days[2].settings;
  c.seed = 0x2026112703;
  c.lineCount = 8640;
  c.wind = {{0, 2},     {5, 2.5},  {8, 5},    {10.5, 9}, {12, 12.5},
            {15.5, 13}, {17.5, 8}, {21, 4.5}, {24, 4}};
  c.calms = {{0.5, 4.75}, {19, 20.5}};
  c.gustsPerHour = 24;
  c.turbulence = 0.2;
  c.startCharge = 0.45;
  c.fridgePhaseMinutes = 17;
  c.malformedLines = true;

  // Logged every 2 seconds: too many records for the whole day, fine for a few hours.
  days[3].name = "Sample 4 - every 2 seconds, too many for a whole day.txt";
  SampleDaySettings& d = days[3].settings;
  d.seed = 0x2026112804;
  d.lineCount = 43200;
  d.wind = {{0, 4},     {5, 3.5}, {9, 6},  {11, 10.5}, {13, 12.5},
            {15.5, 11}, {17, 7},  {20, 5}, {24, 3}};
  d.calms = {{6, 8}, {22.5, 24.5}};
  d.gustsPerHour = 16;
  d.turbulence = 0.19;
  d.startCharge = 0.7;
  d.fridgePhaseMinutes = 40;

  return days;
}

SampleDaySettings BenchmarkDay(std::int64_t lineCount, std::uint64_t seed) {
  SampleDaySettings s = SampleDays()[0].settings;
  s.lineCount = lineCount;
  s.seed = seed;
  return s;
}

bool WriteSampleDay(const SampleDaySettings& settings,
                    const std::function<bool(std::string_view)>& sink) {
  if (settings.lineCount <= 0) return true;
  std::string buffer(kChunk + kLongestLine, '\0');
  char* const begin = buffer.data();
  char* p = begin;
  Simulation simulation(settings);
  // The damaged lines have their own random stream, so they do not change the weather.
  Random glitches(settings.seed ^ 0x6D616C666F726D65ull);
  int malformedKind = 0;
  const std::int64_t n = settings.lineCount;
  for (std::int64_t i = 0; i < n; ++i) {
    const Reading r = simulation.Step(i);
    // The first and the last line stay sound, so the day's extent is plain to see.
    if (settings.malformedLines && i > 0 && i < n - 1 && glitches.Uniform() < 1.0 / 200) {
      p = PutMalformed(p, r, malformedKind, glitches);
      malformedKind = (malformedKind + 1) % kMalformedKinds;
    } else {
      p = PutReading(p, r);
    }
    *p++ = '\r';
    *p++ = '\n';
    if (static_cast<std::size_t>(p - begin) >= kChunk) {
      if (!sink({begin, static_cast<std::size_t>(p - begin)})) return false;
      p = begin;
    }
  }
  if (p != begin) return sink({begin, static_cast<std::size_t>(p - begin)});
  return true;
}

std::string MakeSampleDay(const SampleDaySettings& settings) {
  std::string text;
  if (settings.lineCount > 0) text.reserve(static_cast<std::size_t>(settings.lineCount) * 90);
  WriteSampleDay(settings, [&text](std::string_view piece) {
    text.append(piece);
    return true;
  });
  return text;
}

bool WriteSampleDayFile(const SampleDaySettings& settings, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = WriteSampleDay(settings, [file](std::string_view piece) {
    return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
  });
  if (std::fclose(file) != 0) ok = false;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace tallyo
