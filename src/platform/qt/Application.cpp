#include "Application.h"

#include <QApplication>

#include "ChartIcon.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "app/ProgramInfo.h"

namespace tallyo {

void ConfigureApplication(QApplication& /*app*/) {
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setApplicationVersion(QString::fromStdString(ProgramVersionText()));
  QApplication::setOrganizationName(QString::fromStdString(ProgramCompany()));
  QApplication::setWindowIcon(ChartIcon());
  InstallFontSubstitutions();
}

}  // namespace tallyo
