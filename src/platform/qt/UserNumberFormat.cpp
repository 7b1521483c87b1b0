// The user's notation on Linux: Qt's system locale, which follows LC_ALL, LC_NUMERIC and
// LANG as the C library does, and needs no generated locale.

#include <QLocale>

#include "platform/NumberFormat.h"

namespace tallyo {

NumberFormat UserNumberFormat() {
  const QLocale locale = QLocale::system();
  // Qt gives the C and POSIX locales (and any locale it does not know) a ',' for grouping;
  // the C library's C locale has none, and neither has the plain notation.
  if (locale.language() == QLocale::C) return NumberFormat{};
  return DescribedNumberFormat(locale.decimalPoint().toStdString(),
                               locale.groupSeparator().toStdString(),
                               locale.negativeSign().toStdString());
}

}  // namespace tallyo
