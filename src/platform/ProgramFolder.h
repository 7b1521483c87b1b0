#pragma once
// The folder of the running program; its logs folder lies directly inside it.

#include <QString>

namespace tallyo {

QString ProgramFolder();

}  // namespace tallyo
