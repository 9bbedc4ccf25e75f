// Starting and closing HeavyWeather against a simulated desktop: what is
// started, where the keystrokes go, and how the close loop paces and bounds
// itself.
#include <gtest/gtest.h>

#include "fake_clock.h"
#include "fake_folders.h"
#include "fake_messages.h"
#include "fake_pump.h"
#include "fake_station.h"
#include "station/heavy_weather.h"
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
  FakePump pump{clock};
  FakeMessages messages;
  OuvrFermHW hw{chemin, folders, station, pump, clock, messages};
};

TEST_F(Station, OuvrirStartsByFullPathMinimisedAndTypesIntoItsWindow) {
  station.window_template.minimised = false;  // a station that ignores the show state
  hw.OuvrirHW();

  EXPECT_EQ(folders.current, "C:\\Meteo");
  ASSERT_EQ(station.calls.size(), 3u);
  EXPECT_EQ(station.calls[0], "start C:\\Meteo\\heavy weather.exe | C:\\Meteo | 2");
  const WindowHandle window = station.WindowsTitled("heavy weather").at(0);
  EXPECT_EQ(station.keys_to, (std::vector<WindowHandle>{window, window}));
  EXPECT_EQ(station.keys_sent.at(0), ParseKeys("%{ }").events);
  EXPECT_EQ(station.keys_sent.at(1), ParseKeys(" {u}").events);
  EXPECT_TRUE(hw.HWLance);
  EXPECT_FALSE(hw.Busy());
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
  };
  const Case cases[] = {
      {"minimised already", true, 0, true, true, "heavy weather", 0, false},
      {"shown normally", true, 0, true, false, "heavy weather", 2, false},
      {"title in other case", true, 0, true, false, "HEAVY Weather", 2, false},
      {"a window of the started process", true, 0, true, false, "Connexion", 2, false},
      {"comes up late", true, 3000, true, false, "heavy weather", 2, false},
      {"never in front", true, 0, false, false, "heavy weather", 0, true},
      {"never in front, minimised", true, 0, false, true, "heavy weather", 0, false},
      {"too slow", true, 6000, true, false, "heavy weather", 0, false},
      {"no window", false, 0, false, false, "heavy weather", 0, false},
  };
  for (const auto& c : cases) {
    FakeClock clock(10, 0, 0);
    FakeFolders folders;
    folders.existing = {"C:\\Meteo"};
    FakeStation station(clock);
    FakePump pump(clock);
    FakeMessages messages;
    station.foreground = kOtherProgram;
    station.started_window = c.window;
    station.window_delay_ms = c.delay_ms;
    station.window_template.comes_to_front = c.comes_to_front;
    station.window_template.minimised = c.minimised;
    station.window_template.title = c.title;
    bool busy_while_waiting = false;
    OuvrFermHW hw(chemin, folders, station, pump, clock, messages);
    pump.on_events = [&] { busy_while_waiting |= hw.Busy(); };
    const int64_t start = clock.MonotonicMs();
    hw.OuvrirHW();

    for (WindowHandle to : station.keys_to) EXPECT_NE(to, kOtherProgram) << c.name;
    EXPECT_EQ(static_cast<int>(station.keys_to.size()), c.keys) << c.name;
    EXPECT_EQ(!Calls(station, "minimise").empty(), c.minimise_request) << c.name;
    EXPECT_TRUE(hw.HWLance) << c.name;
    EXPECT_FALSE(hw.Busy()) << c.name;
    // Bounded, and waiting by letting events run rather than blocking.
    EXPECT_LE(clock.MonotonicMs() - start, 5000) << c.name;
    EXPECT_EQ(pump.waited_ms, clock.MonotonicMs() - start) << c.name;
    EXPECT_EQ(busy_while_waiting, pump.waited_ms > 0) << c.name;
    EXPECT_LE(pump.pumps, 5000 / 50 + 1) << c.name;
  }
}

TEST_F(Station, OuvrirWhileLaunchedOnlyChangesTheFolder) {
  hw.HWLance = true;
  folders.current = "C:\\";
  hw.OuvrirHW();
  EXPECT_EQ(folders.current, "C:\\Meteo");
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
    EXPECT_FALSE(hw.Busy()) << c.name;
  }
}

TEST_F(Station, FermerPassesUntilNoWindowIsLeft) {
  struct Case {
    const char* name;
    std::vector<int> closes_after;  // one simulated window each
    int passes;                     // searches
    int posts;
    int64_t waited_ms;
  };
  const Case cases[] = {
      {"no window", {}, 1, 0, 0},
      {"closes at once", {1}, 2, 1, 100},
      {"takes three requests", {3}, 4, 3, 300},
      // Each pass asks every window once; the loop goes on until both are gone.
      {"two windows", {1, 2}, 3, 3, 200},
  };
  for (const auto& c : cases) {
    FakeClock clock(10, 0, 0);
    FakeStation station(clock);
    FakePump pump(clock);
    FakeMessages messages;
    FakeFolders folders;
    for (int n : c.closes_after) station.AddWindow({0, "heavy weather", 7, true, n});
    OuvrFermHW hw(chemin, folders, station, pump, clock, messages);
    hw.HWLance = true;
    hw.HandleHW = 42;
    hw.FermerHW();

    EXPECT_EQ(station.OpenWindows(), 0) << c.name;
    EXPECT_EQ(station.searches, c.passes) << c.name;
    const auto posts = Calls(station, "post");
    EXPECT_EQ(static_cast<int>(posts.size()), c.posts) << c.name;
    for (const auto& post : posts) EXPECT_NE(post.find(" 16 1 1"), std::string::npos) << post;
    EXPECT_EQ(pump.waited_ms, c.waited_ms) << c.name;
    EXPECT_FALSE(hw.HWLance) << c.name;
    EXPECT_EQ(hw.HandleHW, 0u) << c.name;
    EXPECT_TRUE(messages.notices.empty()) << c.name;
  }
}

TEST_F(Station, FermerGivesUpAtItsBoundWithoutFloodingTheWindow) {
  const WindowHandle stubborn = station.AddWindow({0, "heavy weather", 7, false, 0});
  const WindowHandle polite = station.AddWindow({0, "heavy weather", 8, false, 1});
  hw.HWLance = true;
  const int64_t start = clock.MonotonicMs();
  hw.FermerHW();

  EXPECT_EQ(clock.MonotonicMs() - start, 60000);
  // One request per pass, one pass per 100 ms: no flood.
  EXPECT_EQ(station.Find(stubborn)->close_requests, 601);
  EXPECT_EQ(station.Find(polite), nullptr);  // not held up by the other one
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_NE(messages.notices[0].find("ne s'est pas fermé"), std::string::npos);
  EXPECT_NE(messages.notices[0].find("60 secondes"), std::string::npos);
  EXPECT_FALSE(hw.HWLance);
  EXPECT_EQ(hw.HandleHW, 0u);
  EXPECT_FALSE(hw.Busy());
}

TEST_F(Station, FermerLetsEventsRunButIgnoresNestedCalls) {
  station.AddWindow({0, "heavy weather", 7, false, 4});
  hw.HWLance = true;
  int events = 0;
  bool always_busy = true;
  bool lance_after_first_pass = true;
  pump.on_events = [&] {
    if (++events == 2) lance_after_first_pass = hw.HWLance;
    always_busy &= hw.Busy();
    hw.OuvrirHW();  // a tick that arrives inside the close
    hw.FermerHW();
  };
  hw.FermerHW();

  EXPECT_GT(events, 4);
  EXPECT_TRUE(always_busy);
  EXPECT_FALSE(lance_after_first_pass);
  EXPECT_TRUE(Calls(station, "start").empty());
  EXPECT_EQ(Calls(station, "post").size(), 4u);
  EXPECT_FALSE(hw.HWLance);
}

// After a quit the close goes on to its bound, still running events (the
// notice, if shown, must answer), and tells nobody.
TEST_F(Station, FermerAfterQuitRunsToItsBoundWithEventsAndStaysQuiet) {
  const WindowHandle stubborn = station.AddWindow({0, "heavy weather", 7, false, 0});
  const int64_t start = clock.MonotonicMs();
  int events_after_quit = 0;
  pump.on_events = [&] {
    if (pump.quit_requested) ++events_after_quit;
    if (clock.MonotonicMs() - start >= 1000) pump.quit_requested = true;
  };
  hw.FermerHW();

  EXPECT_GT(events_after_quit, 500);
  EXPECT_EQ(pump.waited_ms, 60000);  // paced all the same
  EXPECT_EQ(station.Find(stubborn)->close_requests, 601);
  EXPECT_TRUE(messages.notices.empty());
  EXPECT_FALSE(hw.HWLance);
  EXPECT_EQ(hw.HandleHW, 0u);
}

// The PC put to sleep in the middle of a close (lid, power button): the bound
// is measured on the clock that does not count sleep, never on the local
// time, so the close goes on after the resume and no false "not closed"
// notice is shown.
TEST_F(Station, ASleepDuringACloseDoesNotEndItEarly) {
  const WindowHandle slow = station.AddWindow({0, "heavy weather", 7, false, 50});  // 5 s
  int events = 0;
  pump.on_events = [&] {
    if (++events == 10) clock.Sleep(8 * 3600 * 1000);
  };
  hw.FermerHW();
  EXPECT_EQ(station.Find(slow), nullptr);
  EXPECT_TRUE(messages.notices.empty());
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
}

}  // namespace
}  // namespace orvando::test
