#pragma once
// Keeping the PC awake with a power request (Windows 7): its reason shows in
// "powercfg /requests", where an owner looks when a PC won't sleep. Where the
// request cannot be made, the thread's execution state does the same.

#include "platform/power.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {

inline constexpr const wchar_t* kPowerReason = L"Orvando : relevés de la station météo programmés";

class Win32Power : public Power {
 public:
  Win32Power() = default;
  ~Win32Power() override;
  Win32Power(const Win32Power&) = delete;
  Win32Power& operator=(const Win32Power&) = delete;

  void KeepSystemAwake(bool awake) override;

 private:
  UniqueHandle request_;  // made at the first need; none where it can't be
  bool request_made_ = false;
  bool awake_ = false;
  bool thread_state_ = false;  // held through SetThreadExecutionState instead
};

}  // namespace orvando::win32
