#include "platform/win32/event_pump_win32.h"

#include <windows.h>

#include "platform/win32/clock_win32.h"

namespace orvando::win32 {
namespace {

// A queue that refills as fast as it is emptied (a window posting to itself)
// must not keep a handler here for ever.
constexpr int kMostMessagesPerRun = 10000;

}  // namespace

void Win32EventPump::LetPendingEventsRun() {
  MSG msg;
  for (int n = 0; n < kMostMessagesPerRun && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
    if (msg.message == WM_QUIT) {
      if (!quit_) exit_code_ = static_cast<int>(msg.wParam);
      quit_ = true;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32EventPump::WaitWithEvents(int ms) {
  // On the clock that stops while the PC sleeps, as every deadline of ours.
  const int64_t deadline = UnbiasedMs() + (ms > 0 ? ms : 0);
  for (;;) {
    LetPendingEventsRun();
    const int64_t now = UnbiasedMs();
    if (now >= deadline) return;
    // Sleeps until a message arrives or the time is up. MWMO_INPUTAVAILABLE:
    // also wake for input already queued but not yet seen as new.
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

}  // namespace orvando::win32
