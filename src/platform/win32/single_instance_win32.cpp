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

// Asked in turn, every other copy's main window: a third start may also find
// the one a second copy made before it learnt it was not alone, which does
// not answer. The first that answers ends the search.
BOOL CALLBACK AskToShow(HWND window, LPARAM shown) {
  wchar_t name[64];
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() || !GetClassNameW(window, name, 64) ||
      lstrcmpW(name, kMainWindowClass) != 0) {
    return TRUE;
  }
  // We were started by the user, so we may hand the foreground on.
  AllowSetForegroundWindow(process);
  static const UINT show_yourself = RegisterWindowMessageW(kShowYourselfMessage);
  DWORD_PTR answer = 0;
  *reinterpret_cast<bool*>(shown) =
      SendMessageTimeoutW(window, show_yourself, 0, 0, SMTO_ABORTIFHUNG, kShowAnswerMs, &answer) &&
      answer == static_cast<DWORD_PTR>(kShownAnswer);
  return !*reinterpret_cast<bool*>(shown);
}

}  // namespace

// Only a copy on this desktop, of the same rights, can be asked: another
// user's is on another desktop, and an elevated one does not take messages
// from us. The request is sent and its answer awaited a moment, so that
// "shown" is never said of a window that did not come.
bool Win32SingleInstance::ShowOtherCopy() {
  bool shown = false;
  EnumWindows(AskToShow, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

}  // namespace orvando::win32
