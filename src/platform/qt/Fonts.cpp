#include "Fonts.h"

#include <QDir>
#include <QFontDatabase>

namespace tallyo {
namespace {

// The first face of candidates that is installed; the first candidates are the faces of
// the program's fonts folder, the last one is a generic family that fontconfig always
// resolves. A face installed by more than one foundry is listed as
// "Face [foundry]".
QString FirstInstalled(const QStringList& candidates) {
  QStringList families = QFontDatabase::families();
  for (QString& family : families) family = family.section(QStringLiteral(" ["), 0, 0);
  for (const QString& face : candidates)
    if (families.contains(face, Qt::CaseInsensitive)) return face;
  return candidates.back();
}

}  // namespace

QStringList AddFontFolder(const std::string& folder) {
  const QDir dir(QString::fromStdString(folder));
  QStringList families;
  for (const QString& name : dir.entryList({"*.ttf", "*.otf"}, QDir::Files, QDir::Name)) {
    const int id = QFontDatabase::addApplicationFont(dir.filePath(name));
    if (id < 0) continue;
    for (const QString& family : QFontDatabase::applicationFontFamilies(id))
      if (!families.contains(family)) families.append(family);
  }
  return families;
}

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
