#pragma once
// The program's name, version and maker as its windows and the system show them.

#include <QString>

class QApplication;

namespace tallyo {

QString ProgramVersionText();  // "1.02.0011"
QString ProgramCompany();      // "Quorlane"

// Names the application, sets its version, maker and icon, and maps the layouts' fonts.
void ConfigureApplication(QApplication& app);

}  // namespace tallyo
