#include "platform/win32/text_win32.h"

#include <utility>

namespace orvando::win32 {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const wchar_t* utf16, int length) {
  if (length <= 0) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::string Narrow(const std::wstring& utf16) {
  return Narrow(utf16.data(), static_cast<int>(utf16.size()));
}

bool ToAnsiExact(const std::string& utf8, std::string& ansi) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) {
    ansi.clear();
    return utf8.empty();
  }
  const int length = static_cast<int>(wide.size());
  BOOL used_default = FALSE;
  const bool utf8_acp = GetACP() == CP_UTF8;  // that code page refuses the flag
  const DWORD flags = utf8_acp ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* used = utf8_acp ? nullptr : &used_default;
  const int n = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, used);
  if (n <= 0 || used_default) return false;
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, out.data(), n, nullptr, used);
  if (used_default || FromAnsi(out) != utf8) return false;
  ansi = std::move(out);
  return true;
}

std::string FromAnsi(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), n);
  return Narrow(wide);
}

std::string ToAnsi(const std::string& utf8) {
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::string ErrorText(DWORD code, HMODULE module) {
  wchar_t* buffer = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS | (module ? FORMAT_MESSAGE_FROM_HMODULE : 0),
                     module, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.'))
    text.pop_back();
  if (text.empty()) return "erreur " + std::to_string(code);
  return Narrow(text);
}

}  // namespace orvando::win32
