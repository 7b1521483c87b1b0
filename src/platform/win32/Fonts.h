#pragma once
// The layouts' fonts by their own faces ("MS Sans Serif", "Small Fonts", "Palatino
// Linotype"), which every Windows has; the system's font mapper picks its nearest face
// where one is missing.

#include "Win32Api.h"
#include "platform/FormLayout.h"

namespace tallyo {

// A font of the given face, size in points, weight and slant at dpi dots per inch. The
// caller deletes it.
HFONT LayoutFont(const FontChoice& choice, int dpi);
// The system's font for message texts, the window font of a window that sets none: at
// dpi, from the font current at currentDpi (nullptr: the system's own, which is at the
// resolution the program started with).
HFONT MessageFont(int dpi, int currentDpi, HFONT current);

}  // namespace tallyo
