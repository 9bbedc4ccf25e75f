#pragma once
// Functions of DLLs that only the About window's links and banner need (the
// shell, COM) are looked up the first time they are used: loading those DLLs
// at start-up costs time and memory for a window that may never be opened.

#include <windows.h>

namespace orvando::win32 {

// The function `name` of `dll`, loading the DLL if needed (it then stays
// loaded); null when either is missing.
template <typename Fn>
Fn LazyProc(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (!module) module = LoadLibraryW(dll);
  if (!module) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

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

HRESULT LazyCoCreateInstance(REFCLSID clsid, REFIID iid, void** object);

}  // namespace orvando::win32
