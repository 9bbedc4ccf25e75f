#include "fake_clock.h"

#include <chrono>
#include <cstdio>

namespace orvando::test {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr int64_t kDayMs = 24LL * 3600 * 1000;
constexpr sys_days kFirstDay = std::chrono::year{2026} / 12 / 7;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace

void FakeClock::Set(int hour, int minute, int second, int millisecond) {
  local_ms_ = FloorDiv(local_ms_, kDayMs) * kDayMs + ((hour * 60LL + minute) * 60 + second) * 1000 +
              millisecond;
}

void FakeClock::SetDate(int year, int month, int day) {
  const sys_days date = std::chrono::year{year} / month / day;
  local_ms_ += ((date - kFirstDay).count() - FloorDiv(local_ms_, kDayMs)) * kDayMs;
}

void FakeClock::Advance(int64_t ms) {
  local_ms_ += ms;
  monotonic_ms_ += ms;
}

void FakeClock::Sleep(int64_t ms) {
  local_ms_ += ms;
}

LocalTime FakeClock::Now() const {
  const int64_t day = FloorDiv(local_ms_, kDayMs);
  const int64_t ms = local_ms_ - day * kDayMs;
  if (day != cached_day_) {
    const sys_days date = kFirstDay + days{day};
    const std::chrono::year_month_day ymd{date};
    cached_day_ = day;
    cached_date_.year = static_cast<int>(ymd.year());
    cached_date_.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    cached_date_.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    cached_date_.day_of_week = static_cast<int>(std::chrono::weekday{date}.c_encoding());
  }
  LocalTime now = cached_date_;
  now.hour = static_cast<int>(ms / 3600000);
  now.minute = static_cast<int>(ms / 60000 % 60);
  now.second = static_cast<int>(ms / 1000 % 60);
  now.millisecond = static_cast<int>(ms % 1000);
  return now;
}

std::string FakeClock::FormatTime(const LocalTime& time) const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

}  // namespace orvando::test
