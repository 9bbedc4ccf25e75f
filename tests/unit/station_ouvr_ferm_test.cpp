// Starting and closing HeavyWeather against a simulated desktop: what is
// started, where the keystrokes go, and how the waits on its window pace and
// bound themselves.
#include <gtest/gtest.h>

#include "fake_alarm.h"
#include "fake_clock.h"
#include "fake_folders.h"
#include "fake_messages.h"
#include "fake_station.h"
#include "station/heavy_weather.h"
#include "station_extras.h"
#include "station/ouvr_ferm_hw.h"

namespace orvando::test {
namespace {

constexpr WindowHandle kOtherProgram = 0x9999;  // the user's own program, in front

std::vector<std::string> Calls(const FakeStation& station, const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& call : station.calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

class Station : public ::testing::Test {
 protected:
  Station() { folders.existing = {"C:\\Meteo", "C:\\"}; }

  std::string chemin = "C:\\Meteo";
  FakeClock clock{10, 0, 0};
  FakeFolders folders;
  FakeStation station{clock};
  FakeAlarm alarm{clock};
  FakeMessages messages;
  StationExtras extras{clock, messages};
  OuvrFermHW hw{extras.Links(chemin, folders, station, alarm, clock)};
};

using Wait = OuvrFermHW::Wait;
const std::vector<KeyEvent> kOpenWindowMenu(std::begin(hw::kOpenWindowMenu),
                                            std::end(hw::kOpenWindowMenu));
const std::vector<KeyEvent> kPickMinimise(std::begin(hw::kPickMinimise),
                                          std::end(hw::kPickMinimise));

TEST_F(Station, OuvrirStartsByFullPathMinimisedAndTypesIntoItsWindow) {
  station.window_template.minimised = false;  // a station that ignores the show state
  hw.OuvrirHW();

  ASSERT_EQ(station.calls.size(), 3u);
  EXPECT_EQ(station.calls[0], "start C:\\Meteo\\heavy weather.exe | C:\\Meteo | 2");
  const WindowHandle window = station.WindowsTitled("heavy weather").at(0);
  EXPECT_EQ(station.keys_to, (std::vector<WindowHandle>{window, window}));
  EXPECT_EQ(station.keys_sent.at(0), kOpenWindowMenu);
  EXPECT_EQ(station.keys_sent.at(1), kPickMinimise);
  EXPECT_TRUE(hw.HWLance);
  EXPECT_EQ(hw.Waiting(), Wait::None);
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(Station, OuvrirTypesOnlyIntoTheStationsOwnWindow) {
  struct Case {
    const char* name;
    bool window;            // the started program shows a window at all
    int delay_ms;           // ... this long after the start
    bool comes_to_front;    // ... and it comes to the front
    bool minimised;         // ... already minimised
    const char* title;      // ... with this title
    int keys;               // strings typed (into that window)
    bool minimise_request;  // asked to minimise by other means
    const char* box = "";   // a box the program shows in front first
  };
  const Case cases[] = {
      {"minimised already", true, 0, true, true, "heavy weather", 0, false},
      {"shown normally", true, 0, true, false, "heavy weather", 2, false},
      {"title in other case", true, 0, true, false, "HEAVY Weather", 2, false},
      {"only a window of another title", true, 0, true, false, "Connexion", 0, false},
      {"comes up late", true, 3000, true, false, "heavy weather", 2, false},
      {"never in front", true, 0, false, false, "heavy weather", 0, true},
      {"never in front, minimised", true, 0, false, true, "heavy weather", 0, false},
      {"too slow", true, 6000, true, false, "heavy weather", 0, false},
      {"no window", false, 0, false, false, "heavy weather", 0, false},
      // A space would press the box's default button.
      {"a box first, its window behind", true, 0, false, false, "heavy weather", 0, true,
       "Question"},
      {"a box first, its window in front later", true, 1000, true, false, "heavy weather", 0, true,
       "Question"},
      {"a box captioned as its window first", true, 0, false, false, "heavy weather", 0, true,
       "Heavy Weather"},
  };
  for (const auto& c : cases) {
    FakeClock clock(10, 0, 0);
    FakeFolders folders;
    folders.existing = {"C:\\Meteo"};
    FakeStation station(clock);
    FakeAlarm alarm(clock);
    FakeMessages messages;
    station.foreground = kOtherProgram;
    station.started_window = c.window;
    station.window_delay_ms = c.delay_ms;
    station.window_template.comes_to_front = c.comes_to_front;
    station.window_template.minimised = c.minimised;
    station.window_template.title = c.title;
    station.box_first_title = c.box;
    StationExtras extras(clock, messages);
    OuvrFermHW hw(extras.Links(chemin, folders, station, alarm, clock));
    const int64_t start = clock.MonotonicMs();
    hw.OuvrirHW();
    // Returns at once; a window not yet in front is looked for on the alarm.
    const bool waiting = hw.Waiting() == Wait::ForWindow;
    alarm.RunOut();

    for (WindowHandle to : station.keys_to) EXPECT_NE(to, kOtherProgram) << c.name;
    EXPECT_EQ(static_cast<int>(station.keys_to.size()), c.keys) << c.name;
    EXPECT_EQ(!Calls(station, "minimise").empty(), c.minimise_request) << c.name;
    EXPECT_TRUE(hw.HWLance) << c.name;
    EXPECT_EQ(hw.Waiting(), Wait::None) << c.name;
    // Bounded, and paced.
    EXPECT_LE(clock.MonotonicMs() - start, 5000) << c.name;
    EXPECT_EQ(waiting, clock.MonotonicMs() > start) << c.name;
    EXPECT_LE(alarm.rings, 5000 / 100) << c.name;
  }
}

TEST_F(Station, OuvrirWhileLaunchedStartsNothing) {
  hw.HWLance = true;
  hw.OuvrirHW();
  EXPECT_TRUE(station.calls.empty());
  EXPECT_TRUE(hw.HWLance);
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(Station, OuvrirFromADriveRootJoinsThePathOnce) {
  chemin = "C:\\";
  hw.OuvrirHW();
  EXPECT_EQ(station.calls.at(0), "start C:\\heavy weather.exe | C:\\ | 2");
}

TEST_F(Station, LaunchFailuresStartNothingTellTheUserOnceAndCountAsARun) {
  struct Case {
    const char* name;
    std::string chemin;
    std::string start_error;
    const char* message_part;  // what the one message names
    int starts;
  };
  const Case cases[] = {
      {"empty folder", "", "", "Chemin HeavyWeather", 0},
      {"missing folder", "D:\\Parti", "", "D:\\Parti", 0},
      {"missing program", "C:\\Meteo", "introuvable : C:\\Meteo\\heavy weather.exe",
       "C:\\Meteo\\heavy weather.exe", 1},
  };
  for (const auto& c : cases) {
    chemin = c.chemin;
    station.calls.clear();
    station.start_error = c.start_error;
    messages.notices.clear();
    messages.notice_shown = false;
    hw.HWLance = false;
    hw.OuvrirHW();

    EXPECT_EQ(static_cast<int>(Calls(station, "start").size()), c.starts) << c.name;
    EXPECT_TRUE(station.keys_sent.empty()) << c.name;
    // Told by a notice, which waits for nobody, with the time it happened.
    ASSERT_EQ(messages.notices.size(), 1u) << c.name;
    EXPECT_EQ(messages.notices[0].rfind("À 10:00 : ", 0), 0u) << messages.notices[0];
    EXPECT_NE(messages.notices[0].find(c.message_part), std::string::npos) << messages.notices[0];
    EXPECT_NE(messages.notices[0].find("HeavyWeather n'a pas été lancé"), std::string::npos);
    EXPECT_TRUE(messages.errors.empty()) << c.name;
    EXPECT_TRUE(hw.HWLance) << c.name;
    EXPECT_EQ(hw.Waiting(), Wait::None) << c.name;
  }
}

// A close ends when no window is left and HeavyWeather's process has ended:
// until then it may still write its files and hold the station's port. One
// request to a window, then one every 5 s; at the 60 s bound what is left is
// told once, and the next slot starts no second copy while it lives.
TEST_F(Station, FermerEndsWithTheProcessAndTheNextLaunchWaitsForIt) {
  struct Case {
    const char* name;
    int closes_after;   // requests the window takes to go; 0: never
    int lingers_ms;     // the process after its window; -1: never ends
    int64_t waited_ms;  // the close, from its request to its end
    int posts;
    // Still running at the bound: what the one notice says; and the next
    // slot's run.
    const char* told = nullptr;
    bool box = false;  // it answers the request with a box, and hides its window
  };
  const Case cases[] = {
      {"closes at once", 1, 0, 100, 1},
      {"asked twice", 2, 0, 5100, 2},
      {"saves for 8 s after its window", 1, 8000, 8000, 1},
      {"window stays", 0, 0, 60000, 13,
       "est toujours ouverte après 60 secondes. Fermez HeavyWeather vous-même."},
      {"process outlives the bound", 1, -1, 60000, 1, "(Gestionnaire des tâches)"},
      // Ending it now would lose what it was asked to save.
      {"a box in answer", 1, -1, 60000, 1,
       "après 60 secondes. HeavyWeather affiche « Heavy Weather » : « Enregistrer ? ». Répondez-y",
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeClock clock(10, 0, 0);
    FakeStation station(clock);
    FakeAlarm alarm(clock);
    FakeMessages messages;
    FakeFolders folders;
    folders.existing = {"C:\\Meteo"};
    station.window_template.closes_after = c.closes_after;
    station.process_template.lingers_ms = c.lingers_ms;
    if (c.box) station.box_on_close = {"Heavy Weather", "Enregistrer ?", true};
    const bool stuck = c.told != nullptr;
    StationExtras extras(clock, messages);
    OuvrFermHW hw(extras.Links(chemin, folders, station, alarm, clock));
    hw.OuvrirHW();
    alarm.RunOut();
    const int64_t start = clock.MonotonicMs();
    hw.FermerHW();
    EXPECT_EQ(hw.Waiting(), c.waited_ms > 0 ? Wait::ForClose : Wait::None);
    alarm.RunOut();

    EXPECT_EQ(clock.MonotonicMs() - start, c.waited_ms);
    const auto posts = Calls(station, "post");
    EXPECT_EQ(static_cast<int>(posts.size()), c.posts);
    for (const auto& post : posts) EXPECT_NE(post.find(" 16 1 1"), std::string::npos) << post;
    EXPECT_FALSE(hw.HWLance);
    EXPECT_EQ(hw.HandleHW, 0u);
    EXPECT_EQ(hw.Waiting(), Wait::None);
    EXPECT_EQ(station.Running(), stuck ? 1 : 0);
    ASSERT_EQ(messages.notices.size(), stuck ? 1u : 0u);
    if (stuck) {
      const std::string& notice = messages.notices[0];
      EXPECT_NE(notice.find(c.told), std::string::npos) << notice;
      EXPECT_EQ(notice.find("Gestionnaire") != std::string::npos,
                std::string(c.told).find("Gestionnaire") != std::string::npos)
          << notice;
    }

    hw.OuvrirHW();
    alarm.RunOut();
    EXPECT_EQ(station.starts, stuck ? 1 : 2);
    EXPECT_EQ(station.Running(), 1);
    hw.FermerHW();
    alarm.RunOut();
    EXPECT_EQ(messages.notices.size(), stuck ? 1u : 0u) << "told again";
    EXPECT_LE(station.followed.size(), 1u);
  }
}

TEST_F(Station, FermerWithNoWindowLeftIsOnePass) {
  hw.HWLance = true;
  hw.FermerHW();
  EXPECT_EQ(hw.Waiting(), Wait::None);
  EXPECT_EQ(station.searches, 1);
  EXPECT_FALSE(hw.HWLance);
  EXPECT_TRUE(messages.notices.empty());
}

// A close asks once a pass, on the alarm: calls that come meanwhile (a
// click, another tick) neither start HeavyWeather nor ask out of pace.
TEST_F(Station, FermerAsksOnlyAtItsPace) {
  station.AddWindow({0, "heavy weather", 7, false, 4});
  hw.HWLance = true;
  hw.FermerHW();
  // HWLance is cleared by the first pass, as by every pass; the close still
  // under way is Waiting().
  EXPECT_EQ(hw.Waiting(), Wait::ForClose);
  EXPECT_FALSE(hw.HWLance);
  hw.OuvrirHW();
  hw.FermerHW();
  EXPECT_EQ(Calls(station, "post").size(), 1u);
  alarm.RunOut();
  EXPECT_TRUE(Calls(station, "start").empty());
  EXPECT_EQ(Calls(station, "post").size(), 4u);
  EXPECT_EQ(hw.Waiting(), Wait::None);
}

TEST_F(Station, FermerFenetreAsksEveryWindowWithThatTitleOnce) {
  const WindowHandle a = station.AddWindow({0, "Heavy Weather", 7, false, 0});
  const WindowHandle b = station.AddWindow({0, "heavy weather", 8, false, 0});
  station.AddWindow({0, "heavy weather 2", 9, false, 0});
  hw.HWLance = true;
  hw.FermerFenetre("heavy weather");

  EXPECT_EQ(station.calls, (std::vector<std::string>{"post " + std::to_string(a) + " 16 1 1",
                                                     "post " + std::to_string(b) + " 16 1 1"}));
  EXPECT_EQ(hw.HandleHW, a);
  EXPECT_FALSE(hw.HWLance);
  // One that comes a pass later is asked at once, though the others wait.
  clock.Advance(100);
  const WindowHandle c = station.AddWindow({0, "heavy weather", 10, false, 0});
  hw.FermerFenetre("heavy weather");
  EXPECT_EQ(station.calls.back(), "post " + std::to_string(c) + " 16 1 1");
  EXPECT_EQ(station.posts, 3);
}

}  // namespace
}  // namespace orvando::test
