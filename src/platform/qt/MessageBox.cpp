#include "MessageBox.h"

#include <QMessageBox>

namespace tallyo {

void ShowMessage(QWidget* owner, std::string_view text) {
  QMessageBox box(owner);
  box.setWindowTitle(QString::fromLatin1(kProgramTitle));
  box.setIcon(QMessageBox::NoIcon);
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace tallyo
