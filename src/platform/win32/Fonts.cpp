#include "Fonts.h"

#include <cmath>

#include "Utf16.h"

namespace tallyo {

HFONT LayoutFont(const FontChoice& choice, int dpi) {
  // A negative height asks for the character height (the em) rather than the cell.
  const int height = -static_cast<int>(std::lround(choice.points * dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, choice.bold ? FW_BOLD : FW_NORMAL,
                     choice.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Widen(choice.face).c_str());
}

HFONT MessageFont(int dpi, int currentDpi, HFONT current) {
  LOGFONTW font{};
  if (current) {
    GetObjectW(current, sizeof font, &font);
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      return LayoutFont(FontChoice{"MS Sans Serif", 8.25}, dpi);
    font = metrics.lfMessageFont;
  }
  if (currentDpi > 0 && dpi != currentDpi) font.lfHeight = MulDiv(font.lfHeight, dpi, currentDpi);
  return CreateFontIndirectW(&font);
}

}  // namespace tallyo
