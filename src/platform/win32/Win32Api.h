#pragma once
// The Win32 API for the .cpp files of this folder only: the headers the viewer includes
// forward-declare the handles they need, so that the API's macros (min, max, CreateWindow,
// DrawText, ...) never reach viewer/ or app/.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>
// These build on windows.h and so come after it.
#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>
