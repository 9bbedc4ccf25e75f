#include "support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/win32/text_win32.h"

namespace orvando::test {

void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  for (const ULONGLONG deadline = GetTickCount64() + ms; GetTickCount64() < deadline;) {
    Pump();
    if (done()) return true;
    Sleep(10);
  }
  return false;
}

void PumpFor(int ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  PumpUntil([&] { return GetTickCount64() >= deadline; }, ms + 100);
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::wstring WinePath(const char* unix_path) {
  std::wstring path = L"Z:" + win32::Widen(unix_path);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

fs::path ServerFile(const std::string& name) {
  return WinePath((ORVANDO_HTTP_SERVER_DIR "/" + name).c_str());
}

std::string ServerBytes(const std::string& name) {
  std::ifstream in(ServerFile(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string ServerUrl(const std::string& port_of, const std::string& path) {
  // Under Wine, WinHTTP's proxy is the one these name.
  static const bool no_proxy = SetEnvironmentVariableW(L"http_proxy", nullptr) |
                               SetEnvironmentVariableW(L"https_proxy", nullptr);
  (void)no_proxy;
  std::istringstream ports(ServerBytes("ports"));
  std::string what, port;
  while (ports >> what >> port && what != port_of) {
  }
  return (port_of == "https" ? "https" : "http") + ("://127.0.0.1:" + port) + path;
}

ScopedEnv::ScopedEnv(const wchar_t* name, const wchar_t* value) : name_(name) {
  wchar_t buffer[4096];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
  if (n > 0 && n < 4096) before_ = std::wstring(buffer, n);
  SetEnvironmentVariableW(name, value);
}

ScopedEnv::~ScopedEnv() {
  SetEnvironmentVariableW(name_.c_str(), before_ ? before_->c_str() : nullptr);
}

}  // namespace orvando::test
