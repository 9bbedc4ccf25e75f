#include "platform/win32/power_win32.h"

#include <windows.h>

namespace orvando::win32 {

Win32Power::~Win32Power() {
  KeepSystemAwake(false);
}

void Win32Power::KeepSystemAwake(bool awake) {
  if (awake == awake_) return;
  if (!awake) {
    awake_ = false;
    if (thread_state_)
      SetThreadExecutionState(ES_CONTINUOUS);
    else if (request_)
      PowerClearRequest(request_.get(), PowerRequestSystemRequired);
    thread_state_ = false;
    return;
  }
  if (!request_made_) {
    request_made_ = true;
    // The text is copied by the call; the structure only points to it.
    wchar_t reason_text[64];
    lstrcpynW(reason_text, kPowerReason, 64);
    REASON_CONTEXT reason{};
    reason.Version = POWER_REQUEST_CONTEXT_VERSION;
    reason.Flags = POWER_REQUEST_CONTEXT_SIMPLE_STRING;
    reason.Reason.SimpleReasonString = reason_text;
    request_.reset(PowerCreateRequest(&reason));
  }
  // Wine has no power requests (the call fails as not implemented). What
  // fails both ways is asked again at the next Start.
  if (request_ && PowerSetRequest(request_.get(), PowerRequestSystemRequired)) {
    awake_ = true;
    return;
  }
  thread_state_ = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
  awake_ = thread_state_;
}

}  // namespace orvando::win32
