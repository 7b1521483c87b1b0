#pragma once
// The fonts of the layouts. Their faces are Windows fonts; each is mapped once to a face
// of this system with similar metrics, keeping the layout's size and weight.

#include <QFont>

#include "platform/FormLayout.h"

namespace tallyo {

// Maps "MS Sans Serif" and "Small Fonts" to Liberation Sans and "Palatino Linotype" to
// P052, or to the first installed fallback. Safe to call more than once; needs the
// application object.
void InstallFontSubstitutions();

QFont LayoutFont(const FontChoice& font);

}  // namespace tallyo
