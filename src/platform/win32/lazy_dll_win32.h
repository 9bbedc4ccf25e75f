#pragma once
// Functions of DLLs that only the About window's links and banner need (the
// shell, COM) are looked up the first time they are used: loading those DLLs
// at start-up costs time and memory for a window that may never be opened.
//
// Orvando is run from wherever it was unzipped, often Downloads, where a
// planted uxtheme.dll or version.dll may lie: DLLs load from System32 only.

#include <windows.h>

namespace orvando::win32 {

// Limits the DLL search of the whole process, for every later load, ours and
// the system's on our behalf, to System32. Called first thing at start.
void LimitDllSearchToSystem32();

// The system DLL `name` from System32, never from another folder; null when
// it is missing. The DLL then stays loaded.
HMODULE LoadSystemDll(const wchar_t* name);

// The function `name` of the system DLL `dll`; null when either is missing.
template <typename Fn>
Fn LazyProc(const wchar_t* dll, const char* name) {
  HMODULE module = LoadSystemDll(dll);
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
