#pragma once
// The power curve: what the generator makes at each wind speed, over every reading of the
// days read. The readings are sorted into bins of wind speed [k * bin, (k + 1) * bin).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tallyo {

// The header line, ended by CR LF.
extern const std::string_view kPowerCurveHeader;

class PowerCurve {
 public:
  explicit PowerCurve(double bin) : bin_(bin) {}

  // One reading: its wind speed, its <W> value and its volts times amps. A speed on a
  // bin's edge (to nine significant digits, so that 0.3 with a bin of 0.1 is on the edge
  // 3 * 0.1) lies in the bin above it; one too large to have a bin is left out.
  void Add(double speed, double watts, double voltsTimesAmps);
  // Adds the readings of another curve of the same bin width.
  void Merge(const PowerCurve& other);

  // A row for each bin that has readings, from the lowest wind speed up: the bin's edges,
  // its readings and the means of their watts and of their volts times amps, one decimal.
  std::string Rows() const;

 private:
  struct Bin {
    std::int64_t readings = 0;
    double watts = 0;
    double voltsTimesAmps = 0;
  };
  double bin_;
  std::map<double, Bin> bins_;  // by k, a whole number
};

}  // namespace tallyo
