// The report run by the program's entry, on this system's console.

#include "platform/Console.h"
#include "platform/Path.h"
#include "report/Report.h"

namespace tallyo {

int RunReport(const std::vector<std::string>& arguments) {
  return Report(arguments, ProgramFolder(), SystemConsole());
}

}  // namespace tallyo
