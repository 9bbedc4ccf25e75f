#pragma once
#include "platform/clock.h"

namespace orvando::win32 {

class Win32Clock : public Clock {
 public:
  LocalTime Now() const override;
  int64_t MonotonicMs() const override;
  std::string FormatTime(const LocalTime& time) const override;
};

}  // namespace orvando::win32
