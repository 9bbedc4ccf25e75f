#include "platform/win32/single_instance_win32.h"

namespace orvando::win32 {

// The mutex is machine-wide: a second user's Orvando (fast user switching)
// would launch HeavyWeather at the same slots and fight ours for the
// station's port. One made by a copy with higher rights (run as
// administrator), or by another user, can't be opened by us: access denied
// means it exists, so another copy runs all the same.
bool Win32SingleInstance::AnotherCopyRunning() {
  if (mutex_) return false;  // already checked: this copy holds it
  mutex_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  const DWORD error = GetLastError();
  if (!mutex_) return error == ERROR_ACCESS_DENIED;  // otherwise: rather run than refuse to start
  if (error == ERROR_ALREADY_EXISTS) {
    mutex_.reset();
    return true;
  }
  return false;
}

}  // namespace orvando::win32
