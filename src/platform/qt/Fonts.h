#pragma once
// The fonts of the layouts. Their faces are Windows fonts; each is mapped once to a face
// of this system with similar metrics, keeping the layout's size and weight. The program
// brings its own copies of those faces in the folder `fonts` beside it.

#include <QFont>
#include <QStringList>
#include <string>

#include "platform/FormLayout.h"

namespace tallyo {

// Adds the font files (*.ttf, *.otf) of folder to this run's fonts. Qt then uses them in
// place of the system's faces of the same family and style. Gives the families added:
// none when the folder is missing, and a file that is no font is left out. Call it before
// the first window is built; needs the application object.
QStringList AddFontFolder(const std::string& folder);

// Maps "MS Sans Serif" and "Small Fonts" to Liberation Sans and "Palatino Linotype" to
// P052, the faces of the program's fonts folder; without them, to the first installed
// fallback. Safe to call more than once; needs the application object.
void InstallFontSubstitutions();

QFont LayoutFont(const FontChoice& font);

}  // namespace tallyo
