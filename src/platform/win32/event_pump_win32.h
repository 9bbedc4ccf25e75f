#pragma once
// Running this thread's window messages from inside a handler.

#include "platform/event_pump.h"

namespace orvando::win32 {

// Once WM_QUIT has been pulled out of the queue here, nothing more is
// dispatched (the windows are on their way out) and every wait returns at
// once; the program's message loop checks QuitRequested() when the handler
// that was running returns, and ends with ExitCode().
class Win32EventPump : public EventPump {
 public:
  void LetPendingEventsRun() override;
  void WaitWithEvents(int ms) override;
  bool QuitRequested() const override { return quit_; }
  int ExitCode() const { return exit_code_; }

 private:
  bool quit_ = false;
  int exit_code_ = 0;
};

}  // namespace orvando::win32
