#include "platform/win32/lazy_dll_win32.h"

#include <objbase.h>

#include <string>

#include "platform/win32/newer_api_win32.h"

namespace orvando::win32 {

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

namespace {
using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
}  // namespace

// The calling thread may or may not have COM already; either way the counts
// stay balanced.
ComScope::ComScope() {
  if (auto init = LazyProc<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx")) {
    hr_ = init(nullptr, COINIT_APARTMENTTHREADED);
  }
}

ComScope::~ComScope() {
  if (!ok()) return;
  if (auto uninit = LazyProc<CoUninitializeFn>(L"ole32.dll", "CoUninitialize")) uninit();
}

HRESULT LazyCoCreateInstance(REFCLSID clsid, REFIID iid, void** object) {
  auto create = LazyProc<CoCreateInstanceFn>(L"ole32.dll", "CoCreateInstance");
  return create ? create(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object) : E_NOTIMPL;
}

}  // namespace orvando::win32
