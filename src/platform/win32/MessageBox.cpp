#include "MessageBox.h"

#include "Form.h"
#include "Win32Api.h"
#include "platform/windows/WideText.h"

namespace tallyo {

void ShowMessage(Form* owner, std::string_view text) {
  MessageBoxW(owner ? owner->Handle() : nullptr, Widen(text).c_str(), Widen(kProgramTitle).c_str(),
              MB_OK | MB_APPLMODAL);
}

static_assert(MessageBoxFor<Form>);

}  // namespace tallyo
