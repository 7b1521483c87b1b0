#pragma once
// Sample days of the wind-generator logger, made up by a small simulation: wind with
// gusts and calm spells, a rotor that follows it, a turbine charging a 12 V battery bank
// that also feeds a small house load, and a dump load that switches in when the battery
// is full. The output is the same bytes on every run and every machine: the random
// numbers come from our own generator, the simulation uses only + - * / and sqrt, and
// numbers are formatted by integer arithmetic.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyo {

// One point of a day's mean wind profile; the profile runs linearly between points.
struct WindKnot {
  double hour;   // 0 .. 24
  double speed;  // m/s
};

// A stretch of the day where the wind dies down to a breath (ramps of a quarter hour).
struct CalmSpell {
  double fromHour;
  double toHour;
};

struct SampleDaySettings {
  std::uint64_t seed = 1;
  // Lines spread evenly over the day: line i is logged at second floor(i * 86400 / n).
  // 8640 gives a reading every 10 seconds, 43200 every 2 seconds; above 86400 several
  // lines share a second.
  std::int64_t lineCount = 8640;
  std::vector<WindKnot> wind;     // mean wind through the day, sorted by hour
  std::vector<CalmSpell> calms;   // calm spells laid over the profile
  double gustsPerHour = 12;       // average number of gusts
  double turbulence = 0.18;       // short-term wind fluctuation, share of the mean
  double startCharge = 0.55;      // battery state of charge at midnight, 0 .. 1
  double fridgePhaseMinutes = 0;  // where the fridge compressor's cycle stands at midnight
  // Sprinkles the day with the lines a flaky logger or a damaged file produces: lower-case
  // tags, missing fields, garbage, no time, letters for a number, a blank inside a tag,
  // fields out of order, a cut-off line. Every line still ends in CR LF.
  bool malformedLines = false;
};

struct SampleDayFile {
  std::string name;  // file name, e.g. "Sample 1 - windy afternoon.txt"
  SampleDaySettings settings;
};

// The four sample days written beside the viewer: three days logged every 10 seconds
// (the third with malformed lines) and one logged every 2 seconds, too many records for
// a whole-day display.
std::vector<SampleDayFile> SampleDays();

// Settings for a benchmark day of n lines: the wind and load of the first sample day,
// with the given seed.
SampleDaySettings BenchmarkDay(std::int64_t lineCount, std::uint64_t seed);

// Hands the day's text to sink in pieces of a few megabytes, in order. Stops and
// returns false as soon as sink returns false.
bool WriteSampleDay(const SampleDaySettings& settings,
                    const std::function<bool(std::string_view)>& sink);

// The whole day's text in one string.
std::string MakeSampleDay(const SampleDaySettings& settings);

// Writes the day into the file at path (replacing it). Returns false when the file cannot
// be written; a half-written file is removed.
bool WriteSampleDayFile(const SampleDaySettings& settings, const std::string& path);

}  // namespace tallyo
