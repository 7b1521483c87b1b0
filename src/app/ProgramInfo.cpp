#include "app/ProgramInfo.h"

#include <QApplication>

#include "platform/ChartIcon.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"

namespace tallyo {

QString ProgramVersionText() { return QStringLiteral(TALLYO_VERSION_TEXT); }

QString ProgramCompany() { return QStringLiteral(TALLYO_COMPANY); }

void ConfigureApplication(QApplication& /*app*/) {
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setApplicationVersion(ProgramVersionText());
  QApplication::setOrganizationName(ProgramCompany());
  QApplication::setWindowIcon(ChartIcon());
  InstallFontSubstitutions();
}

}  // namespace tallyo
