// The scheduler tests replay whole days on the fake clock: its days, and its
// split into dates, hours, minutes and seconds, must be right.
#include <gtest/gtest.h>

#include "fake_clock.h"
#include "platform/text.h"

namespace orvando::test {
namespace {

TEST(FakeClock_Advance, RunsIntoTheNextDaysAndKeepsMonotonicGoing) {
  struct Case {
    int h, m, s, ms;
    int64_t advance;
    LocalTime expected;
  };
  // The clock starts on Monday 2026-12-07.
  const Case cases[] = {
      {10, 14, 59, 999, 1, {10, 15, 0, 0, 2026, 12, 7, 1}},
      {23, 59, 59, 500, 600, {0, 0, 0, 100, 2026, 12, 8, 2}},
      {3, 0, 0, 0, 3600 * 1000, {4, 0, 0, 0, 2026, 12, 7, 1}},
      {0, 0, 0, 0, 48LL * 3600 * 1000 + 61000, {0, 1, 1, 0, 2026, 12, 9, 3}},
      {12, 0, 0, 0, 26LL * 24 * 3600 * 1000, {12, 0, 0, 0, 2027, 1, 2, 6}},
  };
  for (const auto& c : cases) {
    FakeClock clock(c.h, c.m, c.s, c.ms);
    const int64_t before = clock.MonotonicMs();
    clock.Advance(c.advance);
    const LocalTime t = clock.Now();
    EXPECT_EQ(DateTimeText(t), DateTimeText(c.expected));
    EXPECT_EQ(t.millisecond, c.expected.millisecond);
    EXPECT_EQ(t.day_of_week, c.expected.day_of_week) << DateTimeText(t);
    EXPECT_EQ(clock.MonotonicMs() - before, c.advance);
  }
}

}  // namespace
}  // namespace orvando::test
