#pragma once
// The controls' texts: UTF-8 in the program, UTF-16 in the system's windows.

#include <string>
#include <string_view>

namespace tallyo {

// Text that is not valid UTF-8 gives the empty text.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tallyo
