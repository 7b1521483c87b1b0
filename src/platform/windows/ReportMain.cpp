// The report program's entry on Windows: a console program whose arguments come in UTF-16
// and go on in UTF-8 (a name that is no valid UTF-16 in the form that keeps it).

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Console.h"
#include "platform/windows/WideText.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(tallyo::Utf8FromWide(argv[i]));
  return tallyo::RunReport(arguments);
}
