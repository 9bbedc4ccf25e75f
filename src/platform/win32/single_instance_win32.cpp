#include "platform/win32/single_instance_win32.h"

namespace orvando::win32 {

bool Win32SingleInstance::AnotherCopyRunning() {
  if (mutex_) return false;  // already checked: this copy holds it
  mutex_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  const DWORD error = GetLastError();
  if (!mutex_) return false;  // cannot tell: rather run than refuse to start
  if (error == ERROR_ALREADY_EXISTS) {
    mutex_.reset();
    return true;
  }
  return false;
}

}  // namespace orvando::win32
