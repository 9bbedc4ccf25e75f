#include "fake_clock.h"

#include <cstdio>

namespace orvando::test {

namespace {
constexpr int64_t kDayMs = 24LL * 3600 * 1000;
}

void FakeClock::Set(int hour, int minute, int second, int millisecond) {
  day_ms_ = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
}

void FakeClock::Advance(int64_t ms) {
  day_ms_ = (day_ms_ + ms) % kDayMs;
  monotonic_ms_ += ms;
}

void FakeClock::Sleep(int64_t ms) {
  day_ms_ = (day_ms_ + ms) % kDayMs;
}

LocalTime FakeClock::Now() const {
  LocalTime t;
  t.millisecond = static_cast<int>(day_ms_ % 1000);
  t.second = static_cast<int>(day_ms_ / 1000 % 60);
  t.minute = static_cast<int>(day_ms_ / 60000 % 60);
  t.hour = static_cast<int>(day_ms_ / 3600000);
  return t;
}

std::string FakeClock::FormatTime(const LocalTime& time) const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

}  // namespace orvando::test
