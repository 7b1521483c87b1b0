#pragma once
// The one body of state of the viewer window. Plain data: every command of the viewer
// reads and writes these fields directly. Created with the window, all zero, before the
// window's load handling runs.

#include <array>
#include <cstdint>

#include "platform/NumberFormat.h"

namespace tallyo {

// Indices 0..10000. Record k of a display lies at index k (1..recordCount); index 0 is
// never written.
inline constexpr int kSeriesSize = 10001;
inline constexpr int kLastIndex = kSeriesSize - 1;

using Series = std::array<double, kSeriesSize>;
using MSeries = std::array<std::int16_t, kSeriesSize>;

struct ViewerState {
  Series voltsSeries{};
  Series ampsSeries{};
  Series wattsSeries{};
  Series rpmSeries{};
  Series timeSeries{};  // fraction of a day
  MSeries mSeries{};
  Series speedSeries{};

  double startTime = 0;   // fraction of a day; records lie strictly after it
  double finishTime = 0;  // and strictly before this
  std::int16_t recordCount = 0;

  // DrawGraph's working values, kept from one draw to the next.
  double voltsMax = 0;
  double voltsMin = 0;
  double ampsMax = 0;
  double ampsMin = 0;
  double wattsMax = 0;
  double wattsMin = 0;
  double rpmMax = 0;
  double rpmMin = 0;
  double energyWh = 0;

  std::int16_t logInterval = 0;  // seconds between two log records
  double viewStart = 0;          // in record-index units; during a drag the press's x
  double viewEnd = 0;
  std::int16_t mouseIsDown = 0;
  std::int16_t zoomState = 0;  // 1 once a drag has narrowed the view
  std::int16_t refVoltsToZero = 0;
  std::int16_t showVolts = 0;
  std::int16_t showAmps = 0;
  std::int16_t showWatts = 0;
  std::int16_t showRpm = 0;
  std::int16_t showSpeed = 0;

  // The user's notation for the numbers of the labels, the readout and the Interval box;
  // the plain one until the window sets the system's. The log files do not use it.
  NumberFormat numberFormat;
};

}  // namespace tallyo
