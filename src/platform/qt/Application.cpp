#include "Application.h"

#include <QApplication>

#include "ChartIcon.h"
#include "Fonts.h"
#include "app/ProgramInfo.h"
#include "platform/Toolkit.h"

namespace tallyo {

void ConfigureApplication() {
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setApplicationVersion(QString::fromStdString(ProgramVersionText()));
  QApplication::setOrganizationName(QString::fromStdString(ProgramCompany()));
  QApplication::setWindowIcon(ChartIcon());
  InstallFontSubstitutions();
}

}  // namespace tallyo
