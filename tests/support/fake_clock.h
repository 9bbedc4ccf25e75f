#pragma once
// A clock the test sets and moves by hand.

#include <cstdint>
#include <limits>
#include <string>

#include "platform/clock.h"

namespace orvando::test {

class FakeClock : public Clock {
 public:
  FakeClock() = default;
  FakeClock(int hour, int minute, int second, int millisecond = 0) {
    Set(hour, minute, second, millisecond);
  }

  // The time of day, on the day the clock shows (at first Monday 2026-12-07).
  void Set(int hour, int minute, int second, int millisecond = 0);
  // The day, keeping the time of day.
  void SetDate(int year, int month, int day);
  // Moves both clocks forward; the local time runs on into the next days.
  void Advance(int64_t ms);
  // The PC asleep for `ms`: the local time moves on, the monotonic clock
  // (which does not count sleep) stays.
  void Sleep(int64_t ms);
  // The local clock put forward or back (summer time, or set by hand): the
  // monotonic clock stays.
  void Shift(int64_t ms) { local_ms_ += ms; }

  LocalTime Now() const override;
  int64_t MonotonicMs() const override { return monotonic_ms_; }
  std::string FormatTime(const LocalTime& time) const override;  // "HH:MM:SS"

 private:
  int64_t local_ms_ = 0;  // milliseconds since 2026-12-07 00:00, local time
  int64_t monotonic_ms_ = 1'000'000;
  // The calendar of the last day asked for: a month replayed second by
  // second asks for the same day 86,400 times.
  mutable int64_t cached_day_ = std::numeric_limits<int64_t>::min();
  mutable LocalTime cached_date_;
};

}  // namespace orvando::test
