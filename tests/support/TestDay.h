#pragma once
// Day files of made-up records for the tests that drive the real windows, on either
// system.

#include <cstdio>
#include <string>

namespace tallyo::test {

// Record k of a test day, logged k * stepSeconds after midnight. Every value tells its
// record apart, so a readout or a label names the record it came from.
struct TestRecord {
  static double Volts(int k) { return 10 + k * 0.25; }
  static double Amps(int k) { return k * 0.1; }
  static double Watts(int k) { return k * 3; }
  static double Rpm(int k) { return k * 7; }
  static double Speed(int k) { return k * 0.05; }
};

inline std::string TimeText(int secondOfDay) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", secondOfDay / 3600, secondOfDay / 60 % 60,
                secondOfDay % 60);
  return text;
}

inline std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", v);
  return text;
}

// A day file of records 1..count, one line each, CR LF after every line.
inline std::string TestDay(int count, int stepSeconds = 10) {
  std::string day;
  for (int k = 1; k <= count; ++k) {
    day += "<T>" + TimeText(k * stepSeconds) + "</T> <V>" + Number(TestRecord::Volts(k)) +
           "</V> <I>" + Number(TestRecord::Amps(k)) + "</I> <R>" + Number(TestRecord::Rpm(k)) +
           "</R> <W>" + Number(TestRecord::Watts(k)) + "</W> <S>" + Number(TestRecord::Speed(k)) +
           "</S> <M>0</M>\r\n";
  }
  return day;
}

}  // namespace tallyo::test
