#pragma once
// What the program asks of a toolkit: the window and each kind of control it uses, in the
// program's own types (UTF-8 text, Colour, twips in the layout). viewer/ and app/ use
// nothing else; each toolkit checks its classes against these in its Contract.cpp.
//
// Setting a value from the program runs the control's own handler at once, nested, before
// the setting returns, as a user's change would (a tick, a text, a folder); setting the
// value a control already has runs nothing.

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/DrawSurface.h"
#include "platform/FormLayout.h"

namespace tallyo {

inline constexpr const char* kProgramTitle = "Tallyo_viewer";

// What a toolkit asks of the program (app/Program.cpp): its entry point sets the toolkit up
// and runs this, which returns the exit code once the start window is gone.
int RunProgram();

template <class T>
concept LabelControl = requires(T& c, const T& k, std::string_view text) {
  c.SetCaption(text);
  { k.Caption() } -> std::same_as<std::string>;
};

template <class T>
concept TextBoxControl = requires(T& c, const T& k, std::string_view text) {
  c.SetText(text);
  { k.Text() } -> std::same_as<std::string>;
  { c.onChange } -> std::same_as<std::function<void()>&>;
};

template <class T>
concept CommandButtonControl = requires(T& c) {
  { c.onClick } -> std::same_as<std::function<void()>&>;
};

// The tick as 0 or 1.
template <class T>
concept CheckBoxControl = requires(T& c, const T& k, int tick) {
  c.SetValue(tick);
  { k.Value() } -> std::same_as<int>;
  { c.onClick } -> std::same_as<std::function<void()>&>;
};

// The chart's surface; the mouse arrives as (button, shift, x, y) in its user scale, and
// moves and the release keep arriving while a button is held, also outside the box.
using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
template <class T>
concept PictureBoxControl = std::derived_from<T, DrawSurface> && requires(T& c, const T& k) {
  { k.ScaleWidth() } -> std::same_as<float>;
  { k.ScaleHeight() } -> std::same_as<float>;
  { c.Pixels() } -> std::same_as<const std::uint32_t*>;
  { k.PictureWidth() } -> std::same_as<int>;
  { k.PictureHeight() } -> std::same_as<int>;
  { c.onMouseDown } -> std::same_as<MouseHandler&>;
  { c.onMouseMove } -> std::same_as<MouseHandler&>;
  { c.onMouseUp } -> std::same_as<MouseHandler&>;
};

// Shows the names of the files of its folder that match its pattern; a click reports the
// name without the folder.
template <class T>
concept FileListBoxControl = requires(T& c, const T& k, std::string text) {
  c.SetPattern(text);
  { k.Pattern() } -> std::same_as<const std::string&>;
  c.SetPath(text);
  { k.Path() } -> std::same_as<const std::string&>;
  { k.FileName() } -> std::same_as<std::string>;
  { c.onClick } -> std::same_as<std::function<void(const std::string&)>&>;
};

template <class T>
concept DirListBoxControl = requires(T& c, const T& k, std::string folder) {
  c.SetPath(folder);
  { k.Path() } -> std::same_as<const std::string&>;
  { c.onChange } -> std::same_as<std::function<void()>&>;
};

// A window built from a layout (its FormInfo and BuildControls): its controls found by
// their layout names, a focus order, and its display plain or modal over its owner. A
// class derived from Form opens its declaration with TALLYO_FORM.
template <class F, class Control>
concept FormWindow = std::constructible_from<F, F*, const FormInfo&> &&
    requires(F& f, const F& k, const char* name, const FontChoice& font,
             std::initializer_list<Control*> order) {
  { k.template Find<Control>(name) } -> std::same_as<Control*>;
  f.SetFocusOrder(order);
  f.SetFormFont(font);
  f.Show();
  f.Close();
  f.ShowModal();
  { f.RunUntilClosed() } -> std::same_as<int>;
};

// The program's message box: modal over its owner, the text, one OK button, no icon and
// kProgramTitle as its caption; returns when it has been closed.
template <class F>
concept MessageBoxFor = requires(F* owner, std::string_view text) {
  ShowMessage(owner, text);
};

}  // namespace tallyo
