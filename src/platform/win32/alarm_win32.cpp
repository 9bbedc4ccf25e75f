#include "platform/win32/alarm_win32.h"

#include <utility>

namespace orvando::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

bool Win32Alarm::Set(int ms, std::function<void()> ring) {
  if (!loaded() && !Create({.class_name = L"OrvandoAlarm", .parent = HWND_MESSAGE})) return false;
  ring_ = std::move(ring);
  return SetTimer(hwnd(), kTimerId, static_cast<UINT>(ms > 0 ? ms : 0), nullptr) != 0;
}

LRESULT Win32Alarm::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kTimerId) {
    KillTimer(hwnd(), kTimerId);
    // The ring may set the alarm again.
    if (auto ring = std::exchange(ring_, nullptr)) ring();
    return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace orvando::win32
