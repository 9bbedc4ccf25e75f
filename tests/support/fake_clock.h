#pragma once
// A clock the test sets and moves by hand.

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace orvando::test {

class FakeClock : public Clock {
 public:
  FakeClock() = default;
  FakeClock(int hour, int minute, int second, int millisecond = 0) {
    Set(hour, minute, second, millisecond);
  }

  void Set(int hour, int minute, int second, int millisecond = 0);
  // Moves both clocks forward; the local time wraps at midnight.
  void Advance(int64_t ms);
  // The PC asleep for `ms`: the local time moves on, the monotonic clock
  // (which does not count sleep) stays.
  void Sleep(int64_t ms);

  LocalTime Now() const override;
  int64_t MonotonicMs() const override { return monotonic_ms_; }
  std::string FormatTime(const LocalTime& time) const override;  // "HH:MM:SS"

 private:
  int64_t day_ms_ = 0;  // milliseconds since local midnight
  int64_t monotonic_ms_ = 1'000'000;
};

}  // namespace orvando::test
