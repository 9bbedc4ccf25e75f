#pragma once
// Every code-page conversion: UTF-8 (the core's text) to and from UTF-16
// (Windows' own) and the system's ANSI code page; and the one place that
// turns a Windows error code into a readable reason.

#include <windows.h>

#include <string>

namespace orvando::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, int length);

// The ANSI code page, exact or nothing: no best fit ("é" must not quietly
// become "e"), and the text must come back unchanged.
bool ToAnsiExact(const std::string& utf8, std::string& ansi);
std::string FromAnsi(const std::string& ansi);
// As the "A" entry points expect: what the code page lacks becomes its best
// fit or "?".
std::string ToAnsi(const std::string& utf8);

// The system's text for an error code (French on a French Windows), without
// the trailing line end. Capture GetLastError() at once and pass it here.
// Codes of their own (WinHTTP's 12xxx) have their texts in their DLL:
// `module` is looked in first.
std::string ErrorText(DWORD code, HMODULE module = nullptr);

}  // namespace orvando::win32
