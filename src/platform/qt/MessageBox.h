#pragma once
// The program's message box: modal, the message text, one OK button, no icon, and the
// program's title as its caption.

#include <QString>
#include <string_view>

class QWidget;

namespace tallyo {

inline constexpr const char* kProgramTitle = "Tallyo_viewer";

// Returns when the user has closed the box.
void ShowMessage(QWidget* owner, const QString& text);
void ShowMessage(QWidget* owner, std::string_view text);

}  // namespace tallyo
