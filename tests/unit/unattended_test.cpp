// The scheduler and the real station control over a simulated desktop, left
// alone for days on a fake clock: nothing it tells the user holds up the next
// run, and HeavyWeather never runs twice at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form_timer_rig.h"
#include "station/notices.h"

namespace orvando::test {
namespace {

constexpr int kOption3h = 3;
constexpr const char* kMissingExe = "introuvable : C:\\Meteo\\heavy weather.exe";

struct Unattended : FormTimerRig {
  std::vector<std::string> starts, posts;  // the time of each start and close request

  // Armed with option `option` at h:m:s, just after the second as the timer
  // ticks; a close gives up after `close_bound_ms`.
  Unattended(int option, int h, int m, int s, int close_bound_ms = 60000)
      : FormTimerRig({5000, close_bound_ms, 100}) {
    clock.Set(h, m, s, 15);
    config.CheminHW = "C:\\Meteo";
    form.SelectOption(option);
    form.Command1_Click();
  }

  // One tick a second for `seconds`, noting when starts and closes happen.
  void Run(int seconds) {
    for (int i = 0; i < seconds; ++i) {
      alarm.Advance(1000);
      const size_t before = station.calls.size();
      const std::string now = clock.FormatTime(clock.Now());
      form.OnTimerEvent();
      for (size_t c = before; c < station.calls.size(); ++c) {
        const std::string& call = station.calls[c];
        if (call.rfind("start", 0) == 0) starts.push_back(now);
        if (call.rfind("post", 0) == 0 && (posts.empty() || posts.back() != now)) {
          posts.push_back(now);
        }
      }
    }
  }
};

TEST(Unattended_Notices, AnUnreadLaunchFailureDoesNotHoldUpTheNextRun) {
  Unattended u(kOption3h, 2, 59, 50);
  u.station.start_error = kMissingExe;
  u.Run(10);  // 03:00:00
  ASSERT_EQ(u.starts, std::vector<std::string>{"03:00:00"});
  ASSERT_EQ(u.messages.notices.size(), 1u);
  EXPECT_EQ(u.messages.notices[0].rfind("À 03:00 : ", 0), 0u) << u.messages.notices[0];

  u.station.start_error.clear();  // the exe is back; the notice is still up
  u.Run(239);                     // 03:03:59
  // The failed run counts its 120 ticks like any other; the next slot of the
  // hour starts HeavyWeather without anyone having pressed OK.
  EXPECT_EQ(u.starts, (std::vector<std::string>{"03:00:00", "03:02:00"}));
  EXPECT_EQ(u.posts, std::vector<std::string>{"03:03:59"});
  EXPECT_TRUE(u.messages.errors.empty());
  EXPECT_TRUE(u.messages.notice_shown);
}

// A box runs Windows' own loop, which rings the alarm and ticks the timer as
// ours does: "Aide" opened during a close and left open holds up no run.
TEST(Unattended_Boxes, ABoxLeftOpenDuringACloseHoldsUpNoRun) {
  Unattended u(0, 10, 14, 50);
  u.station.process_template.lingers_ms = 3000;  // ends 3 s after its window
  u.Run(129);                                    // 10:16:59: the close has begun
  ASSERT_EQ(u.hw.Waiting(), OuvrFermHW::Wait::ForClose);
  u.messages.while_open = [&] { u.Run(50 * 60); };
  u.form.menuAide_Click();
  EXPECT_EQ(u.starts, (std::vector<std::string>{"10:15:00", "10:30:00", "10:45:00", "11:00:00"}));
  EXPECT_EQ(u.posts, (std::vector<std::string>{"10:16:59", "10:31:59", "10:46:59", "11:01:59"}));
}

TEST(Unattended_Notices, ANewEventReplacesTheUnreadOneAndSaysSinceWhen) {
  FakeClock clock;
  FakeMessages messages;
  Notices notices(messages, clock);
  struct Step {
    int day, h, m;     // day of December 2026
    bool read_before;  // the user pressed OK on the notice shown
    const char* what;
    const char* shown;
    int lasting = 0;  // 1: a cause that lasts; -1: the one before is over
  } steps[] = {
      {7, 3, 0, false, "a", "À 03:00 : a"},
      {7, 3, 2, false, "b", "À 03:02 : b\n\nCe message remplace celui de 03:00."},
      {7, 6, 0, false, "c",
       "À 06:00 : c\n\nCe message remplace les 2 précédents ; le premier date de 03:00."},
      {7, 9, 0, true, "d", "À 09:00 : d"},
      {8, 1, 0, false, "e",
       "À 01:00 : e\n\nCe message remplace celui du lundi 7 décembre à 09:00."},
      {11, 18, 0, true, "f", "À 18:00 : f"},
      {14, 6, 0, false, "g",
       "À 06:00 : g\n\nCe message remplace celui du vendredi 11 décembre à 18:00."},
      {14, 9, 0, false, "h",
       "À 09:00 : h\n\nCe message remplace les 2 précédents ; le premier date du vendredi 11 "
       "décembre à 18:00."},
      // A newer event adds to a cause that lasts, and never hides it.
      {14, 10, 0, true, "stuck", "À 10:00 : stuck", 1},
      {15, 9, 0, false, "i",
       "À 09:00 : i\n\nToujours d'actualité, depuis le lundi 14 décembre à 10:00 : stuck\n\nCe "
       "message "
       "remplace celui du lundi 14 décembre à 10:00."},
      {15, 9, 5, true, "j", "À 09:05 : j", -1},
  };
  for (const Step& s : steps) {
    clock.SetDate(2026, 12, s.day);
    clock.Set(s.h, s.m, 0);
    if (s.read_before) messages.notice_shown = false;
    if (s.lasting < 0) notices.LastingOver();
    s.lasting > 0 ? notices.ReportLasting(s.what) : notices.Report(s.what);
    EXPECT_EQ(messages.notices.back(), s.shown);
  }
}

// What happened while nobody was there, line by line; a history that can't
// be written changes nothing else.
TEST(Unattended_History, ADayOfRunsIsWrittenDownAndAFailedWriteChangesNothing) {
  const std::string kLog = "C:\\Orvando\\Orvando.log";
  for (const bool writable : {true, false}) {
    SCOPED_TRACE(writable ? "writable" : "every write fails");
    Unattended u(0, 10, 14, 50);  // armed: its first line
    const std::string armed = u.files.Content(kLog);
    u.files.fail_appends = !writable;
    u.Run(10);  // 10:15:00, started; closed at 10:16:59
    u.station.start_error = kMissingExe;
    u.Run(900);               // 10:30:00, fails
    u.form.Command1_Click();  // Stop, at 10:30:00
    u.Run(1800);              // nothing more

    EXPECT_EQ(u.starts, (std::vector<std::string>{"10:15:00", "10:30:00"}));
    EXPECT_EQ(u.posts, std::vector<std::string>{"10:16:59"});
    EXPECT_EQ(u.messages.notices.size(), 1u);
    EXPECT_TRUE(u.messages.errors.empty());
    const std::string day = "2026-12-07 ";
    EXPECT_EQ(armed, "\xEF\xBB\xBF" + day + "10:14:50\tMise en marche, intervalle « 15 mn ».\r\n");
    EXPECT_EQ(u.files.Content(kLog),
              !writable
                  ? armed
                  : armed + day + "10:15:00\tHeavyWeather lancé depuis « C:\\Meteo ».\r\n" + day +
                        "10:16:59\tHeavyWeather fermé, 119 s après son lancement.\r\n" + day +
                        "10:30:00\tintrouvable : C:\\Meteo\\heavy weather.exe HeavyWeather "
                        "n'a pas été lancé.\r\n" +
                        day +
                        "10:30:00\tArrêt : plus aucun lancement jusqu'à la prochaine mise "
                        "en marche.\r\n");
  }
}

// Past 1 MB the history starts a new file; the old one replaces the one
// before it.
TEST(Unattended_History, PastItsBoundTheFileStartsAgain) {
  const std::string kLog = "C:\\Orvando\\Orvando.log";
  const std::string line = "2026-12-07 00:00:00\tx\r\n";
  struct Case {
    int64_t size;  // of the file before the write
    bool rotated;
  };
  for (const Case& c : {Case{History::kMaxBytes - static_cast<int64_t>(line.size()), false},
                        Case{History::kMaxBytes - static_cast<int64_t>(line.size()) + 1, true}}) {
    SCOPED_TRACE(c.size);
    FakeClock clock(0, 0, 0);
    FakeFiles files;
    const std::string before(static_cast<size_t>(c.size), 'a');
    files.files[kLog].bytes = before;
    files.files[kLog + ".1"].bytes = "older";
    History(files, clock).Write("x");
    EXPECT_EQ(files.Content(kLog), c.rotated ? "\xEF\xBB\xBF" + line : before + line);
    EXPECT_EQ(files.Content(kLog + ".1"), c.rotated ? before : "older");
  }
}

// A run that recorded nothing is a line of the history; the second in a row
// brings the notice, and a good run after them a line that says so. What
// HeavyWeather's own boxes say is written down before each close.
TEST(Unattended_Recording, TwoRunsThatRecordNothingBringOneNoticeAndAGoodOneALine) {
  const std::string kLog = "C:\\Orvando\\Orvando.log";
  Unattended u(0, 10, 14, 50);
  auto& data = u.folders.files["C:\\Meteo"];
  data = {{"history.dat", 3600, 1}};
  u.station.shown[500] = {{"heavy weather", ""},
                          {"Erreur de communication", "Pas de réponse\r\nde la station sur COM1"}};
  u.Run(10 + 119 + 901);  // 10:15 and 10:30: nothing recorded
  ASSERT_EQ(u.messages.notices.size(), 1u);
  EXPECT_NE(u.messages.notices[0].find("rien enregistré dans son dossier lors des 2 derniers "
                                       "lancements, depuis celui du lundi 7 décembre à 10:15"),
            std::string::npos)
      << u.messages.notices[0];
  u.Run(13 * 60);      // 10:45:00, launched
  data[0].size += 36;  // HeavyWeather reads the station this time
  u.Run(120);
  EXPECT_EQ(u.messages.notices.size(), 1u);
  const std::string history = u.files.Content(kLog);
  for (const char* line :
       {"10:16:59\tHeavyWeather affichait « Erreur de communication » : « Pas de réponse de la "
        "station sur COM1 ».\r\n",
        "10:16:59\tHeavyWeather fermé, 119 s après son lancement, sans avoir rien enregistré dans "
        "son dossier.\r\n",
        "10:46:59\tHeavyWeather fermé, 119 s après son lancement.\r\n",
        "10:46:59\tHeavyWeather enregistre de nouveau dans son dossier, après 2 lancements sans "
        "rien enregistrer.\r\n"}) {
    EXPECT_NE(history.find(line), std::string::npos) << line << "\n" << history;
  }
}

TEST(Unattended_OneCopy, AWindowAlreadyOpenIsTheRunInsteadOfASecondCopy) {
  Unattended u(0, 10, 14, 50);
  // The user's own HeavyWeather, opened to look at the data.
  const WindowHandle users = u.station.AddWindow({0, "Heavy Weather", 77, false, 1});
  u.Run(130);  // 10:17:00
  EXPECT_TRUE(u.starts.empty());
  EXPECT_TRUE(u.station.keys_sent.empty());
  // Counted from the slot, 120 ticks, then closed as usual.
  EXPECT_EQ(u.posts, std::vector<std::string>{"10:16:59"});
  EXPECT_EQ(u.station.Find(users), nullptr);
  EXPECT_FALSE(u.hw.HWLance);
  EXPECT_TRUE(u.messages.notices.empty());
}

TEST(Unattended_Notices, AWeekendOfFailuresLeavesOneNotice) {
  struct Case {
    const char* name;
    bool exe_missing;
    int stuck_windows;  // started windows that never close
    size_t starts, notices;
    const char* last_notice_part;
    bool silent = false;  // no run records anything
    int lingers_ms = 0;   // the process after its window; -1: never ends
  };
  // 3 h: back-to-back runs in 8 hours a day, from Friday 18:00 to Monday 06:00.
  const Case cases[] = {
      {"program missing", true, 0, 600, 600,
       "remplace les 599 précédents ; le premier date du vendredi 4 décembre à 18:00."},
      // Closes that give up leave the window; every later slot runs with it.
      {"window never closes", false, 1, 1, 1, "ne s'est pas fermé"},
      // What is stuck stays the news: not the cable, nor the batteries.
      {"window never closes, nothing recorded", false, 1, 1, 1, "toujours ouverte", true},
      {"process never ends, nothing recorded", false, 0, 1, 1, "programme tourne toujours", true,
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Unattended u(kOption3h, 17, 59, 59, 2000);
    u.clock.SetDate(2026, 12, 4);  // a Friday
    if (c.exe_missing) u.station.start_error = kMissingExe;
    u.station.window_template.closes_after = c.stuck_windows ? 0 : 1;
    u.station.process_template.lingers_ms = c.lingers_ms;
    if (c.silent) u.folders.files["C:\\Meteo"] = {{"history.dat", 3600, 1}};
    u.Run(60 * 3600);

    EXPECT_EQ(u.starts.size(), c.starts);
    EXPECT_EQ(u.station.OpenWindows(), c.stuck_windows);
    EXPECT_TRUE(u.messages.errors.empty()) << "a box that waits for OK";
    ASSERT_EQ(u.messages.notices.size(), c.notices);
    EXPECT_NE(u.messages.notices.back().find(c.last_notice_part), std::string::npos)
        << u.messages.notices.back();
  }
}

}  // namespace
}  // namespace orvando::test
