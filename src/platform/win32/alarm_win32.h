#pragma once
// The alarm on Windows: a timer on a message-only window of its own, so that
// it rings whichever loop runs the messages (ours, a message box's, a
// menu's) and also once the program's windows are gone, while a close
// started before the user quit runs to its end.

#include <functional>

#include "platform/alarm.h"
#include "platform/win32/window_win32.h"

namespace orvando::win32 {

class Win32Alarm : public Alarm, private Window {
 public:
  bool Set(int ms, std::function<void()> ring) override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  std::function<void()> ring_;
};

}  // namespace orvando::win32
