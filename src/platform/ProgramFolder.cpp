#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace tallyo {

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace tallyo
