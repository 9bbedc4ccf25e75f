// A month left alone, second by second on a fake clock: the scheduler and
// the station control through what a station PC meets in that time (both
// changes of summer time, nights asleep, a window that won't close, a
// program that outlives its window, days that record nothing, HeavyWeather
// opened by the user), checked at every slot.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "form_timer_rig.h"

namespace orvando::test {
namespace {

const std::string kLog = "C:\\Orvando\\Orvando.log";
constexpr int64_t kHourMs = 3'600'000;
constexpr ProcessId kUsersCopy = 9000;

// What stands for a slot in the history: a launch, or why there was none.
constexpr const char* kSlotLines[] = {"\tHeavyWeather lancé depuis", "\tHeavyWeather déjà ouvert",
                                      "\tHeavyWeather fonctionne encore",
                                      "HeavyWeather n'a pas été lancé"};

bool Matches(const LocalTime& t, int option) {
  return option == 0 ? t.minute % 15 == 0 : t.hour % 3 == 0;
}

struct Month : FormTimerRig {
  std::map<std::string, std::function<void()>> events;  // "day hh:mm:ss", before that tick
  size_t read = 0;                                      // of the history
  int launches = 0, slots = 0;

  Month() {
    clock.Set(9, 59, 50, 15);
    config.CheminHW = "C:\\Meteo";
    form.SelectOption(0);
    form.Command1_Click();
  }

  std::string Key() const {
    const LocalTime t = clock.Now();
    return std::to_string(t.day) + " " + clock.FormatTime(t);
  }

  // The history written since the last call.
  std::string NewLines() {
    const std::string& all = files.files[kLog].bytes;
    if (all.size() < read) read = 0;  // begun again past its bound
    std::string lines = all.substr(read);
    read = all.size();
    return lines;
  }

  void Sleep(int64_t ms) {
    form.OnSuspend();
    clock.Sleep(ms);
    form.OnResume();
  }

  // The user closes a window that ignored every request so far.
  void UserCloses() {
    for (WindowHandle window : station.WindowsTitled("heavy weather")) {
      FakeWindow* w = station.Window(window);
      w->closes_after = w->close_requests + 1;
    }
  }

  void Run(int64_t seconds) {
    for (int64_t i = 0; i < seconds && !::testing::Test::HasFatalFailure(); ++i) {
      alarm.Advance(1000);
      if (const auto event = clock.Now().second == 0 ? events.find(Key()) : events.end();
          event != events.end()) {
        const auto act = event->second;
        events.erase(event);  // once: the clock may show that time again
        act();
      }
      const int option = form.OptionSelected;
      const bool due = form.Command1Caption == "Stop" && !hw.HWLance &&
                       hw.Waiting() == OuvrFermHW::Wait::None && Matches(clock.Now(), option);
      const int starts = Starts();
      if (due) NewLines();
      form.OnTimerEvent();
      slots += due;
      launches += Starts() - starts;
      if (due) {
        const std::string lines = NewLines();
        bool accounted = false;
        for (const char* line : kSlotLines) accounted |= lines.find(line) != std::string::npos;
        ASSERT_TRUE(accounted) << Key() << ": a slot the history does not account for\n" << lines;
      } else {
        ASSERT_EQ(Starts(), starts) << Key() << ": a launch out of its slot";
      }
      ASSERT_LE(station.Running(), 1) << Key() << ": two HeavyWeathers at once";
      ASSERT_LE(form.CompteurTicks, 60 * config.RunMinutes) << Key();
      ASSERT_LE(hw.Remembered(), 4u) << Key();
      ASSERT_LE(station.followed.size(), 1u) << Key();
      if (i % 600 == 0) {
        ASSERT_LE(files.FileSize(kLog), History::kMaxBytes) << Key();
      }
      ASSERT_LE(history.RunLines().size(), History::kMostRunBytes) << Key();
      ASSERT_LT(messages.notices.empty() ? 0 : messages.notices.back().size(), 1000u) << Key();
    }
  }
};

TEST(Month_Unattended, EverySlotIsAccountedForAndHeavyWeatherNeverRunsTwice) {
  Month m;
  auto& ev = m.events;
  // Recording, a file of the folder changes at every look; not, none does.
  const auto records = [&](bool yes) {
    if (yes) {
      m.folders.files.erase("C:\\Meteo");
    } else {
      m.folders.files["C:\\Meteo"] = {{"history.dat", 3600, 1}};
    }
  };

  // The "15 mn" option, from Monday 7 December.
  ev["8 10:16:00"] = [&] { m.Sleep(3 * kHourMs); };  // during a run
  ev["9 10:20:00"] = [&] {
    m.station.AddWindow({0, "heavy weather", kUsersCopy, false, 1});
    m.station.programs[kUsersCopy] = "C:\\Meteo\\heavy weather.exe";
  };
  ev["10 14:00:00"] = [&] { m.station.window_template.closes_after = 0; };
  ev["10 14:10:00"] = [&] { m.station.window_template.closes_after = 1; };
  ev["10 18:05:00"] = [&] { m.UserCloses(); };
  ev["11 08:00:00"] = [&] { m.station.process_template.lingers_ms = 90000; };  // past the bound
  ev["11 09:00:00"] = [&] { m.station.process_template.lingers_ms = 8000; };
  ev["11 12:00:00"] = [&] { m.station.process_template.lingers_ms = 0; };
  ev["12 00:00:00"] = [&] { records(false); };
  ev["13 00:00:00"] = [&] { records(true); };
  ev["14 02:00:00"] = [&] { m.clock.Shift(kHourMs); };  // summer time: 02:00 is 03:00
  // The "3 h" option from Thursday 17 December.
  ev["17 00:00:00"] = [&] { m.form.SelectOption(3); };
  ev["18 03:00:00"] = [&] { m.clock.Shift(-kHourMs); };  // winter time: 03:00 is 02:00 again
  ev["20 20:00:00"] = [&] { m.Sleep(6 * kHourMs); };
  ev["22 09:00:00"] = [&] { m.station.process_template.lingers_ms = -1; };  // never ends
  ev["22 09:01:00"] = [&] { m.station.process_template.lingers_ms = 0; };
  ev["22 11:00:00"] = [&] {
    m.station.processes[m.station.last_started].ends_at = m.clock.MonotonicMs();
  };
  ev["24 12:00:00"] = [&] { m.station.window_template.closes_after = 0; };
  ev["24 12:01:00"] = [&] { m.station.window_template.closes_after = 1; };
  ev["24 17:00:00"] = [&] { m.UserCloses(); };
  ev["27 00:00:00"] = [&] { records(false); };
  ev["28 00:00:00"] = [&] { records(true); };
  ev["29 10:30:00"] = [&] {
    m.station.AddWindow({0, "heavy weather", kUsersCopy + 1, false, 1});
    m.station.programs[kUsersCopy + 1] = "C:\\Meteo\\heavy weather.exe";
  };

  m.Run(30LL * 86400);
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  std::printf("a month: %d slots, %d launches, %zu notices, history %zu bytes\n", m.slots,
              m.launches, m.messages.notices.size(), m.files.files[kLog].bytes.size());
  EXPECT_TRUE(m.messages.errors.empty()) << "a box that waits for OK";
  const std::string history = m.files.files[kLog].bytes + m.files.Content(kLog + ".1");
  for (const char* told : {"sa fenêtre « heavy weather » est toujours ouverte",
                           "son programme tourne toujours", "n'a rien enregistré dans son dossier",
                           "déjà ouvert", "fonctionne encore", "Le PC sort de veille"}) {
    EXPECT_NE(history.find(told), std::string::npos) << told;
  }
}

}  // namespace
}  // namespace orvando::test
