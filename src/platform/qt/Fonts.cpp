#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tallyo {
namespace {

// The first face of candidates that is installed; the last one is a generic family that
// fontconfig always resolves. A face installed by more than one foundry is listed as
// "Face [foundry]".
QString FirstInstalled(const QStringList& candidates) {
  QStringList families = QFontDatabase::families();
  for (QString& family : families) family = family.section(QStringLiteral(" ["), 0, 0);
  for (const QString& face : candidates)
    if (families.contains(face, Qt::CaseInsensitive)) return face;
  return candidates.back();
}

}  // namespace

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  const QString sans =
      FirstInstalled({"Liberation Sans", "Arimo", "Arial", "DejaVu Sans", "Sans Serif"});
  const QString serif = FirstInstalled(
      {"P052", "TeX Gyre Pagella", "URW Palladio L", "Palatino", "DejaVu Serif", "Serif"});
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), sans);
  QFont::insertSubstitution(QStringLiteral("Small Fonts"), sans);
  QFont::insertSubstitution(QStringLiteral("Palatino Linotype"), serif);
}

QFont LayoutFont(const FontChoice& font) {
  InstallFontSubstitutions();
  QFont qfont(QString::fromLatin1(font.face));
  qfont.setPointSizeF(font.points);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  return qfont;
}

}  // namespace tallyo
