#pragma once
// Running this thread's window messages from inside a handler.

#include "platform/event_pump.h"

namespace orvando::win32 {

// WM_QUIT pulled out of the queue here is remembered: the program's message
// loop checks QuitRequested() when the handler that was running returns, and
// ends with ExitCode(). Until then events still run, so that the windows left
// (the notice) go on answering while a close after a quit runs to its end.
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
