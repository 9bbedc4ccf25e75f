// The scheduler tests replay whole days on the fake clock: its midnight wrap
// and its split into hours, minutes and seconds must be right.
#include <gtest/gtest.h>

#include "fake_clock.h"

namespace orvando::test {
namespace {

TEST(FakeClock_Advance, WrapsAtMidnightAndKeepsMonotonicGoing) {
  struct Case {
    int h, m, s, ms;
    int64_t advance;
    LocalTime expected;
  };
  const Case cases[] = {
      {10, 14, 59, 999, 1, {10, 15, 0, 0}},
      {23, 59, 59, 500, 600, {0, 0, 0, 100}},
      {3, 0, 0, 0, 3600 * 1000, {4, 0, 0, 0}},
      {0, 0, 0, 0, 48LL * 3600 * 1000 + 61000, {0, 1, 1, 0}},
  };
  for (const auto& c : cases) {
    FakeClock clock(c.h, c.m, c.s, c.ms);
    const int64_t before = clock.MonotonicMs();
    clock.Advance(c.advance);
    const LocalTime t = clock.Now();
    EXPECT_EQ(t.hour, c.expected.hour);
    EXPECT_EQ(t.minute, c.expected.minute);
    EXPECT_EQ(t.second, c.expected.second);
    EXPECT_EQ(t.millisecond, c.expected.millisecond);
    EXPECT_EQ(clock.MonotonicMs() - before, c.advance);
  }
}

}  // namespace
}  // namespace orvando::test
