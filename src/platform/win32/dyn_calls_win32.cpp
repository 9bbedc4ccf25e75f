#include "platform/win32/dyn_calls_win32.h"

#include <string>

#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

const NewerApi* g_override = nullptr;  // set by tests only

NewerApi LookUpNewer() {
  NewerApi api;
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  Find(user32, "GetDpiForWindow", api.GetDpiForWindow);
  Find(user32, "GetDpiForSystem", api.GetDpiForSystem);
  Find(user32, "AdjustWindowRectExForDpi", api.AdjustWindowRectExForDpi);
  Find(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", api.SetDefaultDllDirectories);
  if (!api.GetDpiForSystem) {
    // A system-aware program's screen DC answers the system DPI (96, 120,
    // 144...), which stays the same for the life of the process.
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    if (dpi > 0) api.screen_dpi = static_cast<UINT>(dpi);
  }
  return api;
}

WinHttpApi LookUpWinHttp() {
  WinHttpApi api;
  HMODULE module = LoadSystemDll(L"winhttp.dll");
  if (Find(module, "WinHttpCrackUrl", api.CrackUrl) && Find(module, "WinHttpOpen", api.Open) &&
      Find(module, "WinHttpSetOption", api.SetOption) &&
      Find(module, "WinHttpSetTimeouts", api.SetTimeouts) &&
      Find(module, "WinHttpConnect", api.Connect) &&
      Find(module, "WinHttpOpenRequest", api.OpenRequest) &&
      Find(module, "WinHttpSendRequest", api.SendRequest) &&
      Find(module, "WinHttpReceiveResponse", api.ReceiveResponse) &&
      Find(module, "WinHttpQueryHeaders", api.QueryHeaders) &&
      Find(module, "WinHttpReadData", api.ReadData) &&
      Find(module, "WinHttpCloseHandle", api.CloseHandle)) {
    api.module = module;
  }
  return api;
}

}  // namespace

const NewerApi& Newer() {
  if (g_override) return *g_override;
  static const NewerApi api = LookUpNewer();
  return api;
}

ScopedNewerApi::ScopedNewerApi(const NewerApi& api) : api_(api), previous_(g_override) {
  g_override = &api_;
}

ScopedNewerApi::~ScopedNewerApi() {
  g_override = previous_;
}

const WinHttpApi* WinHttp() {
  static const WinHttpApi api = LookUpWinHttp();
  return api.module ? &api : nullptr;
}

const ComApi& Com() {
  static const ComApi api = [] {
    ComApi found;
    HMODULE ole32 = LoadSystemDll(L"ole32.dll");
    Find(ole32, "CoInitializeEx", found.CoInitializeEx);
    Find(ole32, "CoUninitialize", found.CoUninitialize);
    Find(ole32, "CoCreateInstance", found.CoCreateInstance);
    return found;
  }();
  return api;
}

const ShellApi& ShellCalls() {
  static const ShellApi api = [] {
    ShellApi found;
    HMODULE shell32 = LoadSystemDll(L"shell32.dll");
    Find(shell32, "ShellExecuteA", found.ShellExecuteA);
    Find(shell32, "ShellExecuteW", found.ShellExecuteW);
    return found;
  }();
  return api;
}

void LimitDllSearchToSystem32() {
  auto set_default = Newer().SetDefaultDllDirectories;
  if (set_default && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Windows 7 without KB2533623: at least the current folder leaves the
  // search. The program's own folder stays in it, which is why our own loads
  // name their DLL by its full System32 path there.
  SetDllDirectoryW(L"");
}

HMODULE LoadSystemDll(const wchar_t* name) {
  // The LOAD_LIBRARY_SEARCH_* flags came with SetDefaultDllDirectories; a
  // system without it rejects them (ERROR_INVALID_PARAMETER).
  if (Newer().SetDefaultDllDirectories) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  // By its full path; the DLLs it needs are then looked for beside it first.
  const std::wstring path = std::wstring(folder, n) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The calling thread may or may not have COM already; either way the counts
// stay balanced.
ComScope::ComScope() {
  if (auto init = Com().CoInitializeEx) hr_ = init(nullptr, COINIT_APARTMENTTHREADED);
}

ComScope::~ComScope() {
  if (!ok()) return;
  if (auto uninit = Com().CoUninitialize) uninit();
}

}  // namespace orvando::win32
