#pragma once
// Window layouts are measured in twips (1/1440 inch). A screen of 96 dots per inch has 15
// twips to the pixel; other resolutions scale from there.

namespace tallyo {

inline constexpr int kTwipsPerInch = 1440;

// Nearest pixel at dpi dots per inch, halves away from zero.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

}  // namespace tallyo
