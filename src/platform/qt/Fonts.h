#pragma once
// The fonts of the layouts. Their faces are Windows fonts; each is mapped once to a face
// of this system with similar metrics, keeping the layout's size and weight.

#include <QFont>
#include <QString>

namespace tallyo {

// Maps "MS Sans Serif" and "Small Fonts" to Liberation Sans and "Palatino Linotype" to
// P052, or to the first installed fallback. Safe to call more than once; needs the
// application object.
void InstallFontSubstitutions();

// The face this system uses for a layout face.
QString SubstituteFace(const QString& layoutFace);

QFont LayoutFont(const char* face, double points, bool bold = false, bool italic = false);

}  // namespace tallyo
