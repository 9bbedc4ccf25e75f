#include "platform/win32/clock_win32.h"

#include <windows.h>

#include "platform/win32/text_win32.h"

namespace orvando::win32 {

LocalTime Win32Clock::Now() const {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
          st.wYear, st.wMonth,  st.wDay,    st.wDayOfWeek};
}

// Never GetTickCount64 nor the performance counter: both count the time the
// PC slept, and a close interrupted by sleep would give up at the resume.
int64_t UnbiasedMs() {
  ULONGLONG hundred_ns = 0;
  QueryUnbiasedInterruptTime(&hundred_ns);
  return static_cast<int64_t>(hundred_ns / 10000);
}

int64_t Win32Clock::MonotonicMs() const {
  return UnbiasedMs();
}

std::string Win32Clock::FormatTime(const LocalTime& time) const {
  SYSTEMTIME st{};
  st.wYear = 2000;
  st.wMonth = 1;
  st.wDay = 1;
  st.wHour = static_cast<WORD>(time.hour);
  st.wMinute = static_cast<WORD>(time.minute);
  st.wSecond = static_cast<WORD>(time.second);
  wchar_t text[64];
  const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 64);
  if (n <= 1) return {};
  return Narrow(text, n - 1);
}

}  // namespace orvando::win32
