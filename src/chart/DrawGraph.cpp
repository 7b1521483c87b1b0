#include "chart/DrawGraph.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "chart/ViewLoop.h"
#include "platform/Colours.h"
#include "platform/Rounding.h"

namespace tallyo {

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();

// The surface takes 32-bit floats. A value beyond their range (a view or a reading near
// 1e308) is held at the largest float instead of going through an undefined conversion.
// NaN stays NaN; the segments it would give are left out, so the surface only ever sees
// finite numbers.
inline float ToFloat(double v) {
  if (v > kFloatMax) return static_cast<float>(kFloatMax);
  if (v < -kFloatMax) return -static_cast<float>(kFloatMax);
  return static_cast<float>(v);
}

// The width and the height of the scale: always a positive float, also for a view or a
// range so narrow (1e-300) that it would come out as 0, which no surface can map by.
inline float ToScale(double size) {
  return ToFloat(std::max(size, static_cast<double>(std::numeric_limits<float>::min())));
}

// Each quantity is drawn in its own vertical scale: the height is its span, and its highest
// and lowest values lie 1/42 of the height inside the top and bottom edges.
struct Curve {
  const Series* values;
  double max;
  double margin;  // range / 40
  bool level;     // no positive range: a level line through the middle
  float span;
  Colour colour;

  float Y(double v) const { return level ? 1.0f : ToFloat((max - v) + margin); }
};

double Span(double max, double min) {
  const double range = max - min;
  return range > 0 ? range + range / 20 : 2;
}

Curve MakeCurve(const Series& values, double max, double min, Colour colour) {
  const double range = max - min;
  return {&values, max, range / 40, !(range > 0), ToScale(Span(max, min)), colour};
}

// The zero line marks where a quantity with values on both sides of 0 passes 0. The height
// is set even when no line is drawn: the first M band is measured in it.
void DrawZeroLine(DrawSurface& plot, const Curve& curve, double min, float width) {
  plot.SetScaleHeight(curve.span);
  if (curve.max > 0 && min < 0) {
    const float y0 = ToFloat(curve.max + (curve.max - min) / 40);
    plot.Line(0, y0, width, y0, kCyan);
  }
}

// The time of the record at a view bound rounded half to even, if there is one.
std::optional<double> RecordTime(const Series& timeSeries, double viewBound) {
  const double index = RoundHalfEven(viewBound);
  if (!InSeries(index)) return std::nullopt;
  return timeSeries[static_cast<int>(index)];
}

// The extremes of the records of the view: a loop value runs from viewStart to viewEnd.
Summary FindExtremes(const DayRecords& records, const ChartView& view) {
  Summary summary = Summary::Start(view.refVoltsToZero);
  for (double i = FirstLoopValue(view.viewStart); i <= view.viewEnd; i += 1) {
    const double index = LoopIndex(i);
    if (!InSeries(index)) {
      if (index > kLastIndex) break;  // every later loop value lies further right
      continue;
    }
    const int k = static_cast<int>(index);
    summary.Track(records.voltsSeries[k], records.ampsSeries[k], records.wattsSeries[k],
                  records.rpmSeries[k], records.speedSeries[k]);
  }
  summary.firstTime = RecordTime(records.timeSeries, view.viewStart);
  summary.lastTime = RecordTime(records.timeSeries, view.viewEnd);
  return summary;
}

}  // namespace

std::optional<Summary> DrawGraph(const DayRecords& records, const ChartView& view,
                                 DrawSurface& plot) {
  plot.Clear();
  // Also a NaN bound ends here.
  if (!(view.viewStart < view.viewEnd)) {
    plot.Flush();
    return std::nullopt;
  }

  Summary summary = FindExtremes(records, view);

  const double viewStart = view.viewStart;
  const double viewEnd = view.viewEnd;
  const float width = ToScale(viewEnd - viewStart);
  plot.SetScaleWidth(width);

  const Curve volts = MakeCurve(records.voltsSeries, summary.voltsMax, summary.voltsMin, kRed);
  const Curve amps = MakeCurve(records.ampsSeries, summary.ampsMax, summary.ampsMin, kGreen);
  const Curve watts = MakeCurve(records.wattsSeries, summary.wattsMax, summary.wattsMin, kBlue);
  const Curve rpm = MakeCurve(records.rpmSeries, summary.rpmMax, summary.rpmMin, kYellow);
  const Curve windSpeed =
      MakeCurve(records.speedSeries, summary.speedMax, summary.speedMin, kWhite);

  DrawZeroLine(plot, amps, summary.ampsMin, width);
  DrawZeroLine(plot, watts, summary.wattsMin, width);

  // The switched-on curves in their drawing order; each record's curves lie over its band.
  std::array<const Curve*, 5> shown{};
  int shownCount = 0;
  if (view.showVolts == 1) shown[shownCount++] = &volts;
  if (view.showAmps == 1) shown[shownCount++] = &amps;
  if (view.showWatts == 1) shown[shownCount++] = &watts;
  if (view.showRpm == 1) shown[shownCount++] = &rpm;
  if (view.showSpeed == 1) shown[shownCount++] = &windSpeed;

  // A band reaches from the top edge down by voltsMax in whatever height the step before
  // left in force: wattsSpan for the first record, else the last curve drawn before it.
  const float bandBottom = ToFloat(summary.voltsMax);
  const std::int16_t interval = view.logInterval;
  double energyWh = 0;

  // Record viewStart has no segment and no band of its own: the first segment joins it to
  // the next record.
  for (double i = FirstLoopValue(viewStart + 1); i <= viewEnd; i += 1) {
    const double index = LoopIndex(i), previousIndex = LoopIndex(i - 1);
    if (!InSeries(index) || !InSeries(previousIndex)) {
      if (index > kLastIndex) break;  // every later loop value lies further right
      continue;
    }
    const int k = static_cast<int>(index);
    const int p = static_cast<int>(previousIndex);
    const float x1 = ToFloat((i - 1) - viewStart);
    const float x2 = ToFloat(i - viewStart);

    if (records.mSeries[k] == 1) plot.Box(x1, 0, x2, bandBottom, kLightBlue);
    for (int c = 0; c < shownCount; ++c) {
      const Curve& curve = *shown[c];
      plot.SetScaleHeight(curve.span);
      const float y1 = curve.Y((*curve.values)[p]);
      const float y2 = curve.Y((*curve.values)[k]);
      // A NaN reading has no place on the chart; its segments are left out.
      if (!std::isnan(y1) && !std::isnan(y2)) plot.Line(x1, y1, x2, y2, curve.colour);
    }
    energyWh += EnergyShare(records.voltsSeries[k], records.ampsSeries[k], interval);
  }

  summary.energyWh = energyWh;
  plot.Flush();
  return summary;
}

}  // namespace tallyo
