#pragma once
// The summary of readings taken one by one, in the order of their lines: what a draw of a
// view of exactly those records reports (the view from the first to the last of them, as
// DISPLAY shows a day). A reader of whole days needs no series and no record limit for it.

#include <cstdint>
#include <optional>

#include "chart/Summary.h"

namespace tallyo {

class RunningSummary {
 public:
  // refVoltsToZero chooses the volts minimum's start value, as the "Ref V to 0v" switch
  // does; logInterval is the interval the energy counts with, held to 10..120 already.
  RunningSummary(std::int16_t refVoltsToZero, std::int16_t logInterval)
      : summary_(Summary::Start(refVoltsToZero)), logInterval_(logInterval) {}

  // The next reading: it takes part in the extremes, and every reading but the first adds
  // its energy share, since a view's first record has no segment of its own.
  void Add(double time, double volts, double amps, double watts, double rpm, double speed) {
    summary_.Track(volts, amps, watts, rpm, speed);
    if (count_ > 0) summary_.energyWh += EnergyShare(volts, amps, logInterval_);
    if (count_ == 0) summary_.firstTime = time;
    summary_.lastTime = time;
    ++count_;
  }

  std::int64_t Count() const { return count_; }

  // The labels' numbers for the readings so far; nothing before the first. A single
  // reading gives the start values met by it and no energy (the window draws no view of
  // one record and leaves its labels as they were).
  std::optional<Summary> Result() const {
    if (count_ == 0) return std::nullopt;
    return summary_;
  }

 private:
  Summary summary_;
  std::int16_t logInterval_;
  std::int64_t count_ = 0;
};

}  // namespace tallyo
