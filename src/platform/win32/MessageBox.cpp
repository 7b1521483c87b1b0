#include "MessageBox.h"

#include "Form.h"
#include "Utf16.h"
#include "Win32Api.h"

namespace tallyo {

void ShowMessage(Form* owner, std::string_view text) {
  MessageBoxW(owner ? owner->Handle() : nullptr, Widen(text).c_str(), Widen(kProgramTitle).c_str(),
              MB_OK | MB_APPLMODAL);
}

}  // namespace tallyo
