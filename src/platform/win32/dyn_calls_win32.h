#pragma once
// Every function Orvando looks up at run time, in one list. The rule: what
// Windows 7 SP1 has is called directly, imported as usual. Only two kinds are
// looked up here:
// - what came later, which the loader would refuse to start the program
//   without on an older system ("entry point not found"): the per-monitor DPI
//   family (Windows 10 1607) and the loader's hardening (Windows 8, or 7 with
//   KB2533623);
// - what lives in a DLL loaded late on purpose, so that an owner who never
//   needs it never pays for it: WinHTTP (the first signal of life), COM and
//   the shell (the About window's banner and links, the history opened).
// Each is typed by decltype from its declaration, and is null where the system
// lacks it: its caller falls back to what Windows 7 has, or does without.
//
// Every DLL of ours loads from System32 only: users run the exe from
// Downloads, where a planted uxtheme.dll or version.dll may lie.

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <winhttp.h>

namespace orvando::win32 {

// Functions newer than the headers of Windows 7 declare, declared for their
// types only: never defined, never called.
namespace newer {
UINT WINAPI GetDpiForWindow(HWND window);
UINT WINAPI GetDpiForSystem();
BOOL WINAPI AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD ex_style, UINT dpi);
}  // namespace newer

// Looks `name` up in `module`, into `fn` typed as it is; false (and null)
// when either is missing.
template <typename Fn>
bool Find(HMODULE module, const char* name, Fn& fn) {
  fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
              : nullptr;
  return fn != nullptr;
}

// In user32 and kernel32, loaded already: looked up at the first call.
struct NewerApi {
  decltype(&newer::GetDpiForWindow) GetDpiForWindow = nullptr;
  decltype(&newer::GetDpiForSystem) GetDpiForSystem = nullptr;
  decltype(&newer::AdjustWindowRectExForDpi) AdjustWindowRectExForDpi = nullptr;
  // Brought the LOAD_LIBRARY_SEARCH_* flags of LoadLibraryExW along with it.
  decltype(&::SetDefaultDllDirectories) SetDefaultDllDirectories = nullptr;
  // The system DPI where GetDpiForSystem is missing: the screen's, read once.
  UINT screen_dpi = 96;
};
const NewerApi& Newer();

// For tests: Newer() answers `api` while this object lives, so the fallbacks
// run as they do on an older system.
class ScopedNewerApi {
 public:
  explicit ScopedNewerApi(const NewerApi& api);
  ~ScopedNewerApi();
  ScopedNewerApi(const ScopedNewerApi&) = delete;
  ScopedNewerApi& operator=(const ScopedNewerApi&) = delete;

 private:
  const NewerApi api_;
  const NewerApi* previous_;
};

// winhttp.dll, loaded at the first request; null when it or one of these is
// missing. A request's thread gets a copy, and so reads nothing of ours.
struct WinHttpApi {
  HMODULE module = nullptr;  // also holds the texts of its errors (12xxx)
  decltype(&WinHttpCrackUrl) CrackUrl = nullptr;
  decltype(&WinHttpOpen) Open = nullptr;
  decltype(&WinHttpSetOption) SetOption = nullptr;
  decltype(&WinHttpSetTimeouts) SetTimeouts = nullptr;
  decltype(&WinHttpConnect) Connect = nullptr;
  decltype(&WinHttpOpenRequest) OpenRequest = nullptr;
  decltype(&WinHttpSendRequest) SendRequest = nullptr;
  decltype(&WinHttpReceiveResponse) ReceiveResponse = nullptr;
  decltype(&WinHttpQueryHeaders) QueryHeaders = nullptr;
  decltype(&WinHttpReadData) ReadData = nullptr;
  decltype(&WinHttpCloseHandle) CloseHandle = nullptr;
};
const WinHttpApi* WinHttp();

// ole32.dll and shell32.dll, loaded at their first use.
struct ComApi {
  decltype(&::CoInitializeEx) CoInitializeEx = nullptr;
  decltype(&::CoUninitialize) CoUninitialize = nullptr;
  decltype(&::CoCreateInstance) CoCreateInstance = nullptr;
};
const ComApi& Com();
struct ShellApi {
  decltype(&::ShellExecuteA) ShellExecuteA = nullptr;
  decltype(&::ShellExecuteW) ShellExecuteW = nullptr;
};
const ShellApi& ShellCalls();

// Limits the DLL search of the whole process, for every later load, ours and
// the system's on our behalf, to System32. Called first thing at start.
void LimitDllSearchToSystem32();
// The system DLL `name` from System32, never from another folder; null when
// it is missing. The DLL then stays loaded.
HMODULE LoadSystemDll(const wchar_t* name);

// COM for the calling thread, for as long as the scope lives.
class ComScope {
 public:
  ComScope();
  ~ComScope();
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_ = E_FAIL;
};

}  // namespace orvando::win32
