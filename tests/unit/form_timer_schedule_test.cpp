// The tick and the five launch rules, replayed second by second on a fake
// clock: whole hours and days in milliseconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "form_timer_rig.h"

namespace orvando::test {
namespace {

struct Scheduler : FormTimerRig {
  std::vector<std::string> launches;
  std::vector<std::string> closes;

  // Starts just after a second boundary, as the aligned timer does.
  Scheduler(int option, int h, int m, int s) {
    clock.Set(h, m, s, 15);
    config.CheminHW = "C:\\Meteo";
    form.SelectOption(option);
  }

  std::string Now() const { return clock.FormatTime(clock.Now()); }

  void Tick() {
    const int starts = Starts(), posts = Posts();
    form.OnTimerEvent();
    if (Starts() != starts) launches.push_back(Now());
    if (Posts() != posts) closes.push_back(Now());
  }

  // One tick per second until the clock shows `until` (that tick included).
  void RunUntil(const std::string& until) {
    for (int guard = 0; guard < 2 * 86400; ++guard) {
      alarm.Advance(1000);
      Tick();
      if (Now() == until) return;
    }
    FAIL() << "never reached " << until;
  }
};

// Each option through a whole day, minute by minute, against its rule as the
// user reads it: launches in exactly the named minutes, once each, on the
// minute's first tick. The hour rules run back to back through their hours,
// one run of 120 ticks after another: a launch every other minute there.
TEST(FormTimer_LaunchRules, EachOptionLaunchesInExactlyTheMinutesOfItsRule) {
  struct Case {
    int option;
    bool (*launches)(int hour, int minute);
  };
  const Case cases[] = {
      {0, [](int, int m) { return m == 0 || m == 15 || m == 30 || m == 45; }},
      {1, [](int, int m) { return m == 0 || m == 30; }},
      {2, [](int, int m) { return m == 0; }},
      {3, [](int h, int m) { return h % 3 == 0 && m % 2 == 0; }},
      {4, [](int h, int m) { return h % 6 == 0 && m % 2 == 0; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("option " + std::to_string(c.option));
    Scheduler run(c.option, 23, 59, 59);
    run.form.Command1_Click();
    run.RunUntil("23:59:59");
    std::vector<int> per_minute(24 * 60, 0);
    for (const auto& t : run.launches) {
      EXPECT_EQ(t.substr(6), "00") << "launched at " << t;
      ++per_minute[std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2))];
    }
    for (int m = 0; m < 24 * 60; ++m) {
      EXPECT_EQ(per_minute[m], c.launches(m / 60, m % 60) ? 1 : 0)
          << "at " << m / 60 << ":" << m % 60;
    }
  }
}

TEST(FormTimer_LaunchRules, MinuteRulesLaunchOncePerMatchingMinute) {
  struct Case {
    int option;
    const char* start;  // armed at
    const char* until;
    std::vector<std::string> launches, closes;
    int window_delay_ms = 0;  // HeavyWeather's window comes up this late
    int run_minutes = 2;
  };
  const Case cases[] = {
      {0, "10:14:30", "10:30:05", {"10:15:00", "10:30:00"}, {"10:16:59"}},
      {1, "10:14:30", "11:00:05", {"10:30:00", "11:00:00"}, {"10:31:59"}},
      // Armed inside the matching minute: the next tick launches at once.
      {2, "10:00:40", "11:00:05", {"10:00:41", "11:00:00"}, {"10:02:40"}},
      // The ticks while the window is awaited count: closed 119 ticks on.
      {0, "10:14:30", "10:30:05", {"10:15:00", "10:30:00"}, {"10:16:59"}, 4000},
      // A run of 5 minutes: closed on its 300th tick.
      {0, "10:14:30", "10:30:05", {"10:15:00", "10:30:00"}, {"10:19:59"}, 0, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " option " + std::to_string(c.option));
    int h, m, s;
    std::sscanf(c.start, "%d:%d:%d", &h, &m, &s);
    Scheduler run(c.option, h, m, s);
    run.station.window_delay_ms = c.window_delay_ms;
    run.config.RunMinutes = static_cast<uint8_t>(c.run_minutes);
    run.form.Command1_Click();
    run.RunUntil(c.until);
    EXPECT_EQ(run.launches, c.launches);
    EXPECT_EQ(run.closes, c.closes);
  }
}

TEST(FormTimer_LaunchRules, LaunchTickCountsAsFirstOfTheRun) {
  Scheduler run(0, 10, 14, 30);
  run.form.Command1_Click();
  run.RunUntil("10:15:00");
  EXPECT_EQ(run.form.CompteurTicks, 1);
  run.config.RunMinutes = 5;  // chosen during the run: from the next one on
  run.RunUntil("10:16:58");
  EXPECT_EQ(run.form.CompteurTicks, 119);
  EXPECT_TRUE(run.hw.HWLance);
  run.RunUntil("10:16:59");
  EXPECT_EQ(run.form.CompteurTicks, 0);
  EXPECT_FALSE(run.hw.HWLance);
}

// "3 h" and "6 h" run back to back through each matching hour, each run
// beginning on the tick after the previous close.
TEST(FormTimer_LaunchRules, HourRulesRunBackToBackThroughMatchingHours) {
  struct Case {
    int option;
    std::vector<int> hours;
  };
  const Case cases[] = {{3, {0, 3, 6, 9, 12, 15, 18, 21}}, {4, {0, 6, 12, 18}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("option " + std::to_string(c.option));
    Scheduler run(c.option, 23, 59, 59);
    run.form.Command1_Click();
    run.RunUntil("23:59:59");  // a whole day
    std::vector<int> per_hour(24, 0);
    for (const auto& t : run.launches) ++per_hour[std::stoi(t.substr(0, 2))];
    for (int h = 0; h < 24; ++h) {
      const bool matching = std::count(c.hours.begin(), c.hours.end(), h) > 0;
      EXPECT_EQ(per_hour[h], matching ? 30 : 0) << "hour " << h;
    }
    // 03:00:00, 03:02:00, ... 03:58:00: 120 ticks each, closed at hh:mm+1:59.
    EXPECT_EQ(run.launches.front(), "00:00:00");
    EXPECT_EQ(run.closes.front(), "00:01:59");
    EXPECT_EQ(run.launches[1], "00:02:00");
    EXPECT_EQ(run.launches[29], "00:58:00");
    EXPECT_EQ(run.closes[29], "00:59:59");
  }
}

TEST(FormTimer_LaunchRules, StopDuringARunStillClosesItAndLaunchesNothingMore) {
  Scheduler run(0, 10, 14, 59);
  run.form.Command1_Click();
  run.RunUntil("10:15:49");  // the 50th tick of the run
  EXPECT_EQ(run.form.CompteurTicks, 50);
  run.form.Command1_Click();  // Stop
  run.RunUntil("10:45:30");
  EXPECT_EQ(run.closes, std::vector<std::string>{"10:16:59"});
  EXPECT_EQ(run.launches, std::vector<std::string>{"10:15:00"});
}

TEST(FormTimer_LaunchRules, StartAgainMidRunAppliesNoRuleUntilAfterTheClose) {
  Scheduler run(3, 3, 0, 0);
  run.form.Command1_Click();
  run.RunUntil("03:00:50");
  run.form.Command1_Click();  // Stop
  run.RunUntil("03:01:10");
  run.form.Command1_Click();  // Start again
  run.RunUntil("03:02:01");
  // The closing tick applies no rule: the rule runs before the count.
  EXPECT_EQ(run.launches, (std::vector<std::string>{"03:00:01", "03:02:01"}));
  EXPECT_EQ(run.closes, std::vector<std::string>{"03:02:00"});
  EXPECT_EQ(run.Starts(), 2);
}

TEST(FormTimer_Tick, IndicatorBlinksOnlyWhileArmed) {
  Scheduler run(2, 10, 20, 0);  // "1 h": no launch at 10:20
  run.RunUntil("10:20:03");
  EXPECT_EQ(run.view.label1, 128u);
  EXPECT_EQ(run.view.label2, "10:20:03");

  run.form.Command1_Click();  // Start: the indicator waits for the next tick
  EXPECT_EQ(run.view.command1, "Stop");
  EXPECT_EQ(run.view.label1, 128u);
  std::vector<uint32_t> seen;
  for (int i = 0; i < 4; ++i) {
    run.clock.Advance(1000);
    run.Tick();
    seen.push_back(run.view.label1);
  }
  EXPECT_EQ(seen, (std::vector<uint32_t>{255, 128, 255, 128}));

  run.clock.Advance(1000);
  run.Tick();                 // 255
  run.form.Command1_Click();  // Stop: dark at once
  EXPECT_EQ(run.view.command1, "Start");
  EXPECT_EQ(run.view.label1, 128u);

  // Any other colour becomes dark on the next armed tick.
  run.form.Label1BackColor = 0x00FF00;
  run.form.Command1_Click();
  run.clock.Advance(1000);
  run.Tick();
  EXPECT_EQ(run.view.label1, 128u);
}

// While a close waits for HeavyWeather to end, a tick shows the time and the
// blink only; in a "3 h" hour the next run starts on the tick after its
// process has ended, not when its window went.
TEST(FormTimer_Tick, ATickDuringACloseShowsTimeAndBlinkOnly) {
  Scheduler run(3, 3, 0, 0);
  run.station.process_template.lingers_ms = 2400;  // saves its files after its window went
  run.form.Command1_Click();
  run.RunUntil("03:02:00");
  ASSERT_EQ(run.hw.Waiting(), OuvrFermHW::Wait::ForClose);
  const uint32_t color = run.view.label1;
  run.RunUntil("03:02:01");
  EXPECT_EQ(run.view.label2, "03:02:01");
  EXPECT_NE(run.view.label1, color);
  EXPECT_EQ(run.form.CompteurTicks, 0);
  run.RunUntil("03:02:03");
  EXPECT_EQ(run.launches, (std::vector<std::string>{"03:00:01", "03:02:03"}));
  EXPECT_EQ(run.form.CompteurTicks, 1);
}

TEST(FormTimer_Tick, OneTickPerSecondOfTheLocalClock) {
  struct Case {
    int second, ms;  // when the timer fires
    bool ticks;
    int delay;
  };
  // A timer that fires again within the second already shown does not tick.
  const Case cases[] = {
      {0, 15, true, 1000}, {0, 999, false, 16}, {1, 0, true, 1015}, {2, 40, true, 975}};
  Scheduler run(0, 8, 0, 0);
  for (const auto& c : cases) {
    run.clock.Set(8, 0, c.second, c.ms);
    const std::string before = run.view.label2;
    EXPECT_EQ(run.form.OnTimerEvent(), c.delay);
    EXPECT_EQ(run.view.label2 != before, c.ticks) << c.second << "." << c.ms;
  }
}

}  // namespace
}  // namespace orvando::test
