#include "fake_clock.h"

#include <cstdio>

namespace orvando::test {

namespace {

constexpr int64_t kDayMs = 24LL * 3600 * 1000;

// Days since 1970-01-01 of a date of the Gregorian calendar, and back.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const int64_t kFirstDay = DaysFromCivil(2026, 12, 7);

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace

void FakeClock::Set(int hour, int minute, int second, int millisecond) {
  local_ms_ = FloorDiv(local_ms_, kDayMs) * kDayMs + ((hour * 60LL + minute) * 60 + second) * 1000 +
              millisecond;
}

void FakeClock::SetDate(int year, int month, int day) {
  const int64_t time_of_day = local_ms_ - FloorDiv(local_ms_, kDayMs) * kDayMs;
  local_ms_ = (DaysFromCivil(year, month, day) - kFirstDay) * kDayMs + time_of_day;
}

void FakeClock::Advance(int64_t ms) {
  local_ms_ += ms;
  monotonic_ms_ += ms;
}

void FakeClock::Sleep(int64_t ms) {
  local_ms_ += ms;
}

LocalTime FakeClock::Now() const {
  const int64_t days = FloorDiv(local_ms_, kDayMs);
  const int64_t day_ms = local_ms_ - days * kDayMs;
  LocalTime t;
  t.millisecond = static_cast<int>(day_ms % 1000);
  t.second = static_cast<int>(day_ms / 1000 % 60);
  t.minute = static_cast<int>(day_ms / 60000 % 60);
  t.hour = static_cast<int>(day_ms / 3600000);
  CivilFromDays(kFirstDay + days, t.year, t.month, t.day);
  const int64_t since_epoch = kFirstDay + days;  // 1970-01-01 was a Thursday
  t.day_of_week = static_cast<int>(((since_epoch % 7) + 7 + 4) % 7);
  return t;
}

std::string FakeClock::FormatTime(const LocalTime& time) const {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  return text;
}

}  // namespace orvando::test
