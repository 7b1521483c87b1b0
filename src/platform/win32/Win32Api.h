#pragma once
// The Win32 API for the .cpp files of this folder only: the headers the viewer includes
// forward-declare the handles they need, so that the API's macros (min, max, CreateWindow,
// DrawText, ...) never reach viewer/ or app/. Toolkit.cmake chooses the API's UTF-16 form
// without the min and max macros.

#include <windows.h>
// These build on windows.h and so come after it.
#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>
