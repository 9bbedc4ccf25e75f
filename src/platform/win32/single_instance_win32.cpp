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

namespace {

BOOL CALLBACK FindOtherMain(HWND window, LPARAM param) {
  wchar_t name[64];
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() && GetClassNameW(window, name, 64) &&
      lstrcmpW(name, kMainWindowClass) == 0) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// Only a copy on this desktop, of the same rights, can be asked: another
// user's is on another desktop, and an elevated one does not take messages
// from us (the post is refused).
bool Win32SingleInstance::ShowOtherCopy() {
  HWND other = nullptr;
  EnumWindows(FindOtherMain, reinterpret_cast<LPARAM>(&other));
  if (!other) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(other, &process);
  // We were started by the user, so we may hand the foreground on.
  AllowSetForegroundWindow(process);
  return PostMessageW(other, RegisterWindowMessageW(kShowYourselfMessage), 0, 0) != FALSE;
}

}  // namespace orvando::win32
