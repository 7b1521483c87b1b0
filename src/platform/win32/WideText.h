#pragma once
// UTF-8, the program's text, to UTF-16, the system's, and back.

#include <string>
#include <string_view>

namespace tallyo {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A folder or file path for the system's file calls: the separators made '\', and an
// absolute path long enough to pass the old 260-character limit given the "\\?\" form,
// under which the system takes it as it is.
std::wstring SystemPath(std::string_view utf8);

}  // namespace tallyo
