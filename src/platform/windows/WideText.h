#pragma once
// The program keeps its texts in UTF-8; Windows takes and gives file names in UTF-16.
// These convert between the two, turn a path into the form that has no length limit, and
// give the system's own sentence for an error code.
//
// A name the system gives need not be valid UTF-16: a surrogate may stand alone. Such a
// surrogate is carried in UTF-8 as if it were a character of its own (the generalised
// form of UTF-8 known as WTF-8), so that every name converts back to exactly itself.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tallyo {

// The UTF-16 form of utf8; nothing when utf8 is neither UTF-8 nor its generalised form.
std::optional<std::wstring> WideFromUtf8(std::string_view utf8);
// The same for a control's text: the empty text when utf8 is not valid UTF-8.
std::wstring Widen(std::string_view utf8);

// The UTF-8 form of wide; an unpaired surrogate takes the generalised form.
std::string Utf8FromWide(std::wstring_view wide);

// Whether path names a device (\\.\COM1, \\.\NUL) rather than a file.
bool IsDevicePath(std::wstring_view path);

// The path the system is handed for a file: absolute, with every / turned into \, "." and
// ".." resolved, and the \\?\ prefix that lifts the limit of 260 characters (\\?\UNC\ for
// a share). A path that already has \\?\ or \\.\ is taken as it is. NO_ERROR, or the error
// code of a NUL or invalid UTF-8 in the path, or of GetFullPathNameW.
DWORD SystemPath(std::string_view utf8Path, std::wstring& systemPath);

// The path as the user knows it: SystemPath's prefix taken off again.
std::wstring WithoutLongPathPrefix(std::wstring path);

// The system's sentence for a Win32 error code, in UTF-8, without its line end; "Error N"
// when the system has none.
std::string SystemMessage(DWORD error);

}  // namespace tallyo
