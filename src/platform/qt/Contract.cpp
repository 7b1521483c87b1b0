// The Qt classes checked against the toolkit contract of platform/Toolkit.h.

#include "CheckBox.h"
#include "CommandButton.h"
#include "DirListBox.h"
#include "FileListBox.h"
#include "Form.h"
#include "Label.h"
#include "MessageBox.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "platform/Toolkit.h"

namespace tallyo {

static_assert(FormWindow<Form, Control>);
static_assert(LabelControl<Label>);
static_assert(TextBoxControl<TextBox>);
static_assert(CommandButtonControl<CommandButton>);
static_assert(CheckBoxControl<CheckBox>);
static_assert(PictureBoxControl<PictureBox>);
static_assert(FileListBoxControl<FileListBox>);
static_assert(DirListBoxControl<DirListBox>);
static_assert(MessageBoxFor<Form>);

}  // namespace tallyo
