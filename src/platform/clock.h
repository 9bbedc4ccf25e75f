#pragma once
// The local clock, and a monotonic clock for deadlines.

#include <cstdint>
#include <string>

namespace orvando {

struct LocalTime {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int millisecond = 0;
  int year = 0;         // 2026
  int month = 0;        // 1..12
  int day = 0;          // 1..31
  int day_of_week = 0;  // 0 for Sunday .. 6 for Saturday
};

inline bool SameDay(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
  // Milliseconds from an arbitrary origin; never goes back, and does not
  // count the time the PC spends asleep.
  virtual int64_t MonotonicMs() const = 0;
  // The time of day in the system's time format (hours, minutes, seconds).
  virtual std::string FormatTime(const LocalTime& time) const = 0;
};

}  // namespace orvando
