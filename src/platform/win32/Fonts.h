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
// The system's font for message texts at dpi, the window font of a window that sets none.
HFONT MessageFont(int dpi);

}  // namespace tallyo
