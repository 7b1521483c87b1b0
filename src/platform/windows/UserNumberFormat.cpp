// The user's notation on Windows: the regional format of the user's default locale.

#include <windows.h>

#include <iterator>
#include <string>
#include <string_view>

#include "platform/NumberFormat.h"
#include "platform/windows/WideText.h"

namespace tallyo {

namespace {

// One text of the user's locale in UTF-8; empty when the system gives none.
std::string UserLocaleText(LCTYPE type) {
  // The system holds at most 4 characters for each of these; a longer one would fail the
  // call and give no text.
  wchar_t text[32] = {};
  const int length =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, static_cast<int>(std::size(text)));
  if (length <= 1) return {};
  return Utf8FromWide(std::wstring_view(text, static_cast<std::size_t>(length) - 1));
}

}  // namespace

NumberFormat UserNumberFormat() {
  return DescribedNumberFormat(UserLocaleText(LOCALE_SDECIMAL), UserLocaleText(LOCALE_STHOUSAND),
                               UserLocaleText(LOCALE_SNEGATIVESIGN));
}

}  // namespace tallyo
