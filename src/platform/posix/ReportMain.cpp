// The report program's entry on Linux: the arguments as the system gives them, which are
// the bytes of the names (UTF-8 on every usual system).

#include <string>
#include <vector>

#include "platform/Console.h"

int main(int argc, char** argv) {
  return tallyo::RunReport(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
