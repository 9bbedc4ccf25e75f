#include "platform/win32/newer_api_win32.h"

namespace orvando::win32 {

namespace {

const NewerApi* g_override = nullptr;  // set by tests only

template <typename Fn>
void Find(HMODULE module, const char* name, Fn& fn) {
  fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
              : nullptr;
}

NewerApi LookUp() {
  NewerApi api;
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  Find(user32, "GetDpiForWindow", api.GetDpiForWindow);
  Find(user32, "GetDpiForSystem", api.GetDpiForSystem);
  Find(user32, "AdjustWindowRectExForDpi", api.AdjustWindowRectExForDpi);
  Find(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", api.SetDefaultDllDirectories);
  if (!api.GetDpiForSystem) {
    // A system-aware program's screen DC answers the system DPI (96, 120,
    // 144...), which stays the same for the life of the process.
    if (HDC screen = GetDC(nullptr)) {
      const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
      if (dpi > 0) api.screen_dpi = static_cast<UINT>(dpi);
      ReleaseDC(nullptr, screen);
    }
  }
  return api;
}

}  // namespace

const NewerApi& Newer() {
  if (g_override) return *g_override;
  static const NewerApi api = LookUp();
  return api;
}

ScopedNewerApi::ScopedNewerApi(const NewerApi& api) : api_(api), previous_(g_override) {
  g_override = &api_;
}

ScopedNewerApi::~ScopedNewerApi() {
  g_override = previous_;
}

}  // namespace orvando::win32
