#pragma once
#include "platform/clock.h"

namespace orvando::win32 {

// Milliseconds of the interrupt clock without the time the PC spent asleep:
// a wait measured on it does not end early because the PC slept meanwhile.
int64_t UnbiasedMs();

class Win32Clock : public Clock {
 public:
  LocalTime Now() const override;
  int64_t MonotonicMs() const override;
  std::string FormatTime(const LocalTime& time) const override;
};

}  // namespace orvando::win32
