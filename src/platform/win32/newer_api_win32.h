#pragma once
// Functions newer than Windows 7 SP1, the oldest system Orvando runs on. The
// build declares only Windows 7's functions, and these are never imported: on
// an older system the loader would refuse to start the program ("entry point
// not found"). They are looked up once, at the first call, in the system DLL
// that holds them (user32 and kernel32, already loaded). A function the
// system lacks is null, and its caller falls back to what Windows 7 has.

#include <windows.h>

namespace orvando::win32 {

struct NewerApi {
  // user32, Windows 10 1607: the DPI of each window and its frame at that DPI.
  UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* GetDpiForSystem)() = nullptr;
  BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  // kernel32, Windows 8, and Windows 7 with update KB2533623, which brought
  // the LOAD_LIBRARY_SEARCH_* flags of LoadLibraryExW along with it.
  BOOL(WINAPI* SetDefaultDllDirectories)(DWORD) = nullptr;
  // The system DPI where GetDpiForSystem is missing: the screen's, read once.
  UINT screen_dpi = 96;
};

// The running system's functions, looked up at the first call.
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

}  // namespace orvando::win32
