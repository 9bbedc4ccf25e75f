#include "platform/win32/lazy_dll_win32.h"

#include <objbase.h>

namespace orvando::win32 {

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
