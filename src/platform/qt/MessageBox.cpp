#include "MessageBox.h"

#include <QMessageBox>

#include "Form.h"

namespace tallyo {

void ShowMessage(QWidget* owner, std::string_view text) {
  QMessageBox box(owner);
  box.setWindowTitle(QString::fromLatin1(kProgramTitle));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(text));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
}

static_assert(MessageBoxFor<Form>);

}  // namespace tallyo
