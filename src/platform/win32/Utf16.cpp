#include "Utf16.h"

#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

std::wstring Widen(std::string_view utf8) {
  std::wstring wide;
  if (!WideFromUtf8(utf8, wide)) wide.clear();
  return wide;
}

std::string Narrow(std::wstring_view utf16) { return Utf8FromWide(utf16); }

}  // namespace tallyo
