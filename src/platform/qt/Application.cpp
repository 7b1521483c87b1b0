#include "Application.h"

#include <QApplication>

#include "ChartIcon.h"
#include "Fonts.h"
#include "platform/Path.h"
#include "platform/Toolkit.h"

namespace tallyo {

void ConfigureApplication() {
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setApplicationVersion(QStringLiteral(TALLYO_VERSION_TEXT));
  QApplication::setOrganizationName(QStringLiteral(TALLYO_COMPANY));
  QApplication::setWindowIcon(ChartIcon());
  AddFontFolder(JoinPath(ProgramFolder(), "fonts"));
  InstallFontSubstitutions();
}

}  // namespace tallyo
