// The driver's reading of a clock label: a wrong figure here would pass a
// clock that skips seconds, or blame one that doesn't.
#include <gtest/gtest.h>

#include "tick_stats.h"

namespace orvando::bench {
namespace {

TEST(TickStats_ShownSecond, ReadsTheLastTwoNumbers) {
  const struct {
    const char* text;
    int second;
  } cases[] = {
      {"10:15:07", 907},  {"10:15:07 AM", 907},      {"3:00:59 PM", 59}, {"00:00:00", 0},
      {"23:59:59", 3599}, {"10 h 15 min 07 s", 907}, {"", -1},           {"10:15", -1},
      {"10:61:00", -1},   {"12:59:60", -1},          {"Start", -1},      {"10:15:0700", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownSecondOfHour(c.text), c.second) << c.text;
}

TEST(TickStats_Lag, SignedAndWrappedOverTheHour) {
  const struct {
    int shown;
    int64_t true_ms;
    int64_t lag;
  } cases[] = {
      {907, 907015, 15}, {907, 907999, 999}, {907, 906990, -10},
      {3599, 10, 1010},  {0, 3599990, -10},  {0, 0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LagMs(c.shown, c.true_ms), c.lag) << c.shown;
}

struct Change {
  int second;
  int64_t at_ms;
};

TickStats Replay(std::initializer_list<Change> changes) {
  TickStats stats;
  for (const Change& c : changes) stats.Add(c.second, c.at_ms);
  return stats;
}

TEST(TickStats_Changes, CountsSkipsRepeatsAndLag) {
  const struct {
    const char* name;
    TickStats stats;
    int changes, skipped, repeated;
    int64_t min_lag, max_lag;
  } cases[] = {
      // The first text only sets the starting point: it was there before.
      {"on time", Replay({{1, 1500}, {2, 2015}, {3, 3015}, {4, 4016}}), 3, 0, 0, 15, 16},
      {"over the hour", Replay({{3598, 3598010}, {3599, 3599010}, {0, 10}, {1, 1010}}), 3, 0, 0, 10,
       10},
      {"jumps a second", Replay({{1, 1010}, {2, 2010}, {4, 4001}}), 2, 1, 0, 1, 10},
      {"holds a second", Replay({{1, 1010}, {2, 2999}, {3, 3010}}), 2, 0, 1, 10, 999},
      {"the same again", Replay({{1, 1010}, {2, 2010}, {2, 2500}}), 2, 0, 1, 10, 500},
      {"back in time", Replay({{5, 5010}, {4, 5020}}), 1, 0, 1, 1020, 1020},
      {"early", Replay({{1, 1010}, {2, 1995}}), 1, 0, 0, -5, -5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.stats.changes(), c.changes) << c.name;
    EXPECT_EQ(c.stats.skipped(), c.skipped) << c.name;
    EXPECT_EQ(c.stats.repeated(), c.repeated) << c.name;
    EXPECT_EQ(c.stats.min_lag_ms(), c.min_lag) << c.name;
    EXPECT_EQ(c.stats.max_lag_ms(), c.max_lag) << c.name;
  }
}

TEST(TickStats_Changes, MeanLag) {
  EXPECT_DOUBLE_EQ(Replay({{1, 1000}, {2, 2010}, {3, 3030}}).mean_lag_ms(), 20.0);
  EXPECT_DOUBLE_EQ(Replay({{1, 1000}}).mean_lag_ms(), 0.0);
}

TEST(TickStats_Median, OddEvenAndNone) {
  EXPECT_DOUBLE_EQ(Median({}), 0.0);
  EXPECT_DOUBLE_EQ(Median({7}), 7.0);
  EXPECT_DOUBLE_EQ(Median({9, 1, 5}), 5.0);
  EXPECT_DOUBLE_EQ(Median({4, 1, 3, 2}), 2.5);
}

}  // namespace
}  // namespace orvando::bench
