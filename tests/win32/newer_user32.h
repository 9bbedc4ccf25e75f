#pragma once
// For the tests' own checks only (they run under Wine, which has it): the
// build declares Windows 7's functions, and the program looks this one up.
#include <windows.h>

extern "C" DECLSPEC_IMPORT UINT WINAPI GetDpiForWindow(HWND hwnd);
