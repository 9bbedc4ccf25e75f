// Runs at a chosen local time, with the checks made from outside.
// whole_run.sh starts Orvando under faketime a few seconds before a slot;
// this driver (on the real clock) arms it, then watches the stand-in
// station's log, Orvando's clock and its windows:
// - a whole run: "15 mn" at 10:14:50, started minimised on the quarter,
//   closed 119 ticks later, nothing started again after;
// - unattended: "3 h" at 02:59:50 with the program missing, a notice at
//   03:00 that nobody answers, and the next slot starting the program once
//   it is back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "driver.h"
#include "install_window.h"

namespace orvando::test {
namespace {

std::vector<std::string> Events(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> found;
  for (const auto& line : lines)
    if (line.substr(0, line.find(' ')) == name) found.push_back(line);
  return found;
}

class FakedTimeRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("ORVANDO_E2E_FOLDER");
    ASSERT_TRUE(folder) << "run through whole_run.sh";
    folder_ = Widen(folder);
    log_ = folder_ + L"\\station.log";
  }
  void TearDown() override {
    orvando_.Terminate();
    TerminateStations(Log());
  }

  std::vector<std::string> Log() const { return ReadLines(log_); }
  size_t Count(const std::string& name) const { return Events(Log(), name).size(); }

  // Waits for the clock to turn to a new second; returns the second shown,
  // with `at` the driver's tick count at that moment.
  static int NextSecond(HWND clock, ULONGLONG& at) {
    const std::wstring before = TextOf(clock);
    if (!WaitFor([&] { return TextOf(clock) != before; }, 3000, 2)) return -1;
    at = GetTickCount64();
    return ClockSeconds(TextOf(clock));
  }

  // Orvando's main window (the only one on the desktop), its clock and its
  // button, with the process taken over.
  void FindOrvando() {
    ASSERT_TRUE(WaitFor([&] { return (main_ = FindMainWindow(0)) != nullptr; }, 30000));
    ASSERT_TRUE(orvando_.Attach(ProcessOf(main_)));
    clock_ = ClockLabel(main_);
    button_ = StartStopButton(main_);
    ASSERT_TRUE(clock_ && button_);
  }

  // Arms Orvando ahead of the slot `slot` (seconds of the day) and returns
  // the driver's tick count at the moment Orvando's clock turns to it.
  ULONGLONG ArmBefore(int slot) {
    ULONGLONG synced = 0;
    const int shown = NextSecond(clock_, synced);
    EXPECT_GE(shown, 0) << "the clock does not move";
    EXPECT_GE(slot - shown, 2) << "not before the slot: " << Narrow(TextOf(clock_));
    EXPECT_LE(slot - shown, 15) << "not on the chosen time: " << Narrow(TextOf(clock_));
    Click(button_);
    EXPECT_TRUE(WaitFor([&] { return TextOf(button_) == L"Stop"; }));
    return synced + static_cast<ULONGLONG>(slot - shown) * 1000;
  }

  void QuitAnsweringYes() {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    HWND box = WaitForMessageBox(orvando_.pid());
    ASSERT_TRUE(box);
    ASSERT_TRUE(AnswerYes(box));
    DWORD code = 1;
    ASSERT_TRUE(orvando_.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
  }

  std::wstring folder_, log_;
  Process orvando_;
  HWND main_ = nullptr, clock_ = nullptr, button_ = nullptr;
};

class E2e_WholeRun : public FakedTimeRun {};
class E2e_Unattended : public FakedTimeRun {};
class E2e_StartWithWindows : public FakedTimeRun {};
class E2e_ChangeFolder : public FakedTimeRun {};
class E2e_ThreeHours : public FakedTimeRun {};

TEST_F(E2e_WholeRun, StartedMinimisedOnTheQuarterClosedAfter120TicksThenNothing) {
  FindOrvando();
  EXPECT_TRUE(IsChecked(OptionButton(main_, L"15 mn")));
  const int quarter = 10 * 3600 + 15 * 60;
  // The driver's own clock at the moment Orvando's turns to 10:15:00.
  const ULONGLONG quarter_at = ArmBefore(quarter);
  ASSERT_FALSE(HasFailure());

  const long long until_quarter =
      static_cast<long long>(quarter_at) - static_cast<long long>(GetTickCount64());
  EXPECT_FALSE(WaitFor([&] { return Count("start") > 0; },
                       static_cast<int>(std::max(0LL, until_quarter - 100)), 5))
      << "started before the quarter";
  ASSERT_TRUE(WaitFor([&] { return Count("start") > 0; }, 5000, 5)) << "not started";
  const ULONGLONG started = GetTickCount64();
  EXPECT_LE(started, quarter_at + 1000) << "started " << started - quarter_at << " ms late";
  ASSERT_TRUE(WaitFor([&] { return Count("window") > 0; }, 5000, 5));
  EXPECT_EQ(Events(Log(), "show"), std::vector<std::string>{"show 2"});
  EXPECT_EQ(Events(Log(), "window"), std::vector<std::string>{"window 1 1"}) << "not minimised";

  // The launch tick is the first of 120: the close comes on 10:16:59.
  ASSERT_TRUE(WaitFor([&] { return Count("close") > 0; }, 130000, 5)) << "not closed";
  const ULONGLONG closed = GetTickCount64();
  const int closed_shown = ClockSeconds(TextOf(clock_));
  const long long after = static_cast<long long>(closed - quarter_at);
  EXPECT_GE(after, 119000 - 100) << "closed early";
  EXPECT_LE(after, 120000 + 500) << "closed late";
  EXPECT_EQ(closed_shown, quarter + 119) << Narrow(TextOf(clock_));
  std::printf("station seen started %lld ms after the quarter, closed %lld ms after it\n",
              static_cast<long long>(started - quarter_at), after);
  ASSERT_TRUE(WaitFor([&] { return Count("exit") > 0; }, 10000));
  EXPECT_EQ(Events(Log(), "close"), std::vector<std::string>{"close 1 1 1"});
  EXPECT_EQ(Events(Log(), "exit"), std::vector<std::string>{"exit 0"});
  EXPECT_TRUE(Events(Log(), "restored").empty()) << "the station was shown";

  // Armed and waiting for 10:30: nothing starts meanwhile.
  ULONGLONG ignored = 0;
  while (NextSecond(clock_, ignored) >= 0 && ClockSeconds(TextOf(clock_)) < quarter + 126) {
  }
  EXPECT_EQ(ClockSeconds(TextOf(clock_)), quarter + 126);
  EXPECT_EQ(Count("start"), 1u);
  EXPECT_FALSE(FindWindowW(nullptr, L"heavy weather"));
  EXPECT_EQ(TextOf(button_), L"Stop");
  QuitAnsweringYes();

  // The history tells the run, in the program's folder beside its settings.
  const std::vector<std::string> history = ReadLines(folder_ + L"\\Orvando.log");
  const auto has = [&](const std::string& line) {
    return std::find(history.begin(), history.end(), line) != history.end();
  };
  EXPECT_TRUE(has("2026-12-07 10:15:00\tHeavyWeather lancé depuis « " +
                  Narrow(folder_ + L"\\Station meteo") + " »."));
  EXPECT_TRUE(std::any_of(history.begin(), history.end(), [](const std::string& line) {
    return line.rfind("2026-12-07 10:1", 0) == 0 &&
           line.find("\tHeavyWeather fermé, 119 s après son lancement.") != std::string::npos;
  }));
  for (const auto& line : history) std::printf("history: %s\n", line.c_str());

  // The run recorded: one signal of life, its body the run's lines.
  EXPECT_EQ(std::count_if(history.begin(), history.end(),
                          [](const std::string& line) {
                            return line.find("\tSignal de vie envoyé (réponse 200).") !=
                                   std::string::npos;
                          }),
            1);
  const std::string sent = ReadBytes(Widen(std::getenv("ORVANDO_E2E_SIGNAL_RECORD")));
  EXPECT_EQ(sent.rfind("POST ", 0), 0u) << sent;
  EXPECT_NE(sent.find("\n\n2026-12-07 10:15:00\tHeavyWeather lancé depuis « "), std::string::npos)
      << sent;
  EXPECT_NE(sent.find("\tHeavyWeather fermé, 119 s après son lancement.\r\n"), std::string::npos)
      << sent;
  std::printf("the server received:\n%s\n", sent.c_str());
}

// "3 h": runs follow one another for the whole hour, each on the tick after
// the one before has ended. This station hides its window at the close
// request and goes on for 8 s (saving, letting go of the port): the next
// copy starts only once it has exited. It reads nothing, so writes nothing in
// its folder, here the one of Orvando.exe too: Orvando's own files, written
// there meanwhile, don't count.
TEST_F(E2e_ThreeHours, EachStartComesAfterTheCopyBeforeHasEnded) {
  FindOrvando();
  ArmBefore(3 * 3600);
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(WaitFor([&] { return Count("start") >= 2; }, 160000, 5)) << "no second start";
  const std::vector<std::string> log = Log();
  int running = 0;
  for (const auto& line : log) {
    const std::string event = line.substr(0, line.find(' '));
    if (event == "start") {
      EXPECT_EQ(running++, 0) << "started while the copy before runs";
    }
    if (event == "exit") --running;
  }
  EXPECT_EQ(Events(log, "gone").size(), 1u);
  QuitAnsweringYes();
  const std::vector<std::string> history =
      ReadLines(Widen(std::getenv("ORVANDO_E2E_PROGRAM_FOLDER")) + L"\\Orvando.log");
  // Closed once its process had ended, 8 s after its window.
  EXPECT_TRUE(std::any_of(history.begin(), history.end(), [](const std::string& line) {
    const size_t at = line.find("\tHeavyWeather fermé, ");
    return at != std::string::npos && std::atoi(line.c_str() + at + 22) >= 127 &&
           line.find(" s après son lancement, sans avoir rien enregistré dans son dossier.") !=
               std::string::npos;
  }));
  for (const auto& line : log) std::printf("station: %s\n", line.c_str());
  for (const auto& line : history) std::printf("history: %s\n", line.c_str());
  // Nothing recorded: no signal of life.
  EXPECT_EQ(ReadBytes(Widen(std::getenv("ORVANDO_E2E_SIGNAL_RECORD"))), "");
}

// Windows starts Orvando at sign-in, from another folder, with /start: it is
// armed as it shows, and the quarter starts the station with nobody there.
TEST_F(E2e_StartWithWindows, StartSwitchArmsAndTheNextSlotStartsTheStation) {
  FindOrvando();
  EXPECT_EQ(TextOf(button_), L"Stop");
  EXPECT_EQ(Count("start"), 0u);
  ASSERT_TRUE(WaitFor([&] { return Count("start") > 0; }, 20000, 5)) << "not started";
  const int late = ClockSeconds(TextOf(clock_)) - (10 * 3600 + 15 * 60);
  EXPECT_TRUE(late == 0 || late == 1) << "started at " << Narrow(TextOf(clock_));
  ASSERT_TRUE(WaitFor([&] { return Count("window") > 0; }, 5000, 5));
  EXPECT_EQ(Events(Log(), "window"), std::vector<std::string>{"window 1 1"}) << "not minimised";
  QuitAnsweringYes();
}

// HeavyWeather reinstalled elsewhere: "Fichier > Chemin HeavyWeather" opens
// the installation window at the folder known, the new one is chosen and
// written, and the next launch (at once: "3 h" during 03:00-03:59) starts
// the station from there.
TEST_F(E2e_ChangeFolder, TheNewFolderIsWrittenAndTheNextLaunchStartsFromIt) {
  FindOrvando();
  const std::wstring old_folder = folder_ + L"\\Station meteo";
  const std::wstring new_folder = folder_ + L"\\Nouvelle station";
  ASSERT_TRUE(CreateDirectoryW(new_folder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(WinePath(ORVANDO_STATION_EXE).c_str(),
                        (new_folder + L"\\heavy weather.exe").c_str(), FALSE));

  ASSERT_TRUE(ChooseMenuItem(main_, L"Chemin HeavyWeather", {0, 0}));
  HWND install = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (install = FindTopWindow(orvando_.pid(), kInstallTitle)); }))
      << "no installation window";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); })) << "the main window stays";
  EXPECT_EQ(TextOf(FolderText(install)), old_folder);
  HWND ok = FindChild(install, L"Button", L"OK");
  EXPECT_TRUE(IsWindowEnabled(ok));

  OpenFolder(install, new_folder);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(WaitFor([&] {
    return ReadBytes(folder_ + L"\\Orvando.cfg").find(Ansi(new_folder)) != std::string::npos;
  })) << "the new folder is not written";
  Click(ok);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != 0; })) << "no main window";
  EXPECT_FALSE(IsWindow(install));

  Click(button_);
  ASSERT_TRUE(WaitFor([&] { return Count("start") > 0; }, 5000, 5)) << "not started";
  ASSERT_TRUE(WaitFor([&] { return Count("exe") > 0; }));
  EXPECT_EQ(Events(Log(), "exe"),
            std::vector<std::string>{"exe " + Narrow(new_folder) + "\\heavy weather.exe"});
  QuitAnsweringYes();
}

// Nobody at the PC at 03:00: the program is missing (a drive not mounted
// yet, an update under way). The notice says so and stays unanswered; the
// failed slot counts as a run, and the next slot of the hour, 03:02:00,
// starts the program, which is back by then.
TEST_F(E2e_Unattended, AnUnreadLaunchFailureDoesNotStopTheNextLaunch) {
  FindOrvando();
  EXPECT_TRUE(IsChecked(OptionButton(main_, L"3 h")));
  const int slot = 3 * 3600;
  const ULONGLONG slot_at = ArmBefore(slot);
  ASSERT_FALSE(HasFailure());

  HWND notice = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (notice = FindNotice(orvando_.pid())) != nullptr; }, 20000))
      << "no notice of the failed launch";
  const std::wstring text = MessageText(notice);
  EXPECT_EQ(text.rfind(L"À 03:00 : ", 0), 0u) << Narrow(text);
  EXPECT_NE(text.find(L"HeavyWeather n'a pas été lancé"), std::wstring::npos) << Narrow(text);
  EXPECT_EQ(Count("start"), 0u);

  ASSERT_TRUE(CopyFileW(WinePath(ORVANDO_STATION_EXE).c_str(),
                        (folder_ + L"\\Station meteo\\heavy weather.exe").c_str(), FALSE));
  const ULONGLONG next_at = slot_at + 120 * 1000;
  ASSERT_TRUE(WaitFor([&] { return Count("start") > 0; }, 140000, 5)) << "no later launch";
  const ULONGLONG started = GetTickCount64();
  const long long late = static_cast<long long>(started) - static_cast<long long>(next_at);
  EXPECT_GE(late, -100) << "started before 03:02:00";
  EXPECT_LE(late, 1000) << "started " << late << " ms after 03:02:00";
  std::printf("the launch after the unread failure came %lld ms after its slot, 03:02:00\n", late);
  ASSERT_TRUE(WaitFor([&] { return Count("window") > 0; }, 5000, 5));
  EXPECT_EQ(Events(Log(), "window"), std::vector<std::string>{"window 1 1"}) << "not minimised";

  // The notice was never answered: still there, and still the only one.
  EXPECT_EQ(FindNotice(orvando_.pid()), notice);
  EXPECT_FALSE(FindMessageBox(orvando_.pid())) << "a box waiting for OK";
  QuitAnsweringYes();
}

}  // namespace
}  // namespace orvando::test
