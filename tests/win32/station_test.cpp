// OuvrFermHW with the real stand-in station under Wine: what is started and
// from where, where the keystrokes land, and how closes end.
#include "station_fixture.h"

#include <algorithm>
#include <cstdio>

namespace orvando::test {
namespace {

using StationWin32 = StationFixture;

// The user's own program: counts every keystroke and close request it
// receives, and never closes.
int g_keys_to_other = 0;
int g_closes_to_other = 0;

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
      (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_KEYMENU)) {
    ++g_keys_to_other;
  }
  if (message == WM_CLOSE) return ++g_closes_to_other, 0;
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND OpenOtherProgram(const wchar_t* title = L"Autre programme", bool in_front = true) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OtherProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvandoTestOtherProgram";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                              nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(window, in_front ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
  if (in_front) SetForegroundWindow(window), SetFocus(window);
  return window;
}

// Explorer titles a folder named "Heavy Weather" so: a window of another
// program, which this test program plays.
TEST_F(StationWin32, AnotherProgramsHeavyWeatherWindowIsNeitherTheRunNorClosed) {
  const HWND other = OpenOtherProgram(L"Heavy Weather", false);

  OuvrFermHW hw(Links(extras));
  hw.OuvrirHW();
  ASSERT_TRUE(WaitForLine("window 1 1")) << "the other window was taken for HeavyWeather";
  // Known by its program file, not because this object started it: a copy of
  // Orvando started meanwhile takes the running station as its run.
  win32::Win32Alarm its_alarm;
  OuvrFermHW restarted(extras.Links(chemin, folders, station, its_alarm, clock));
  restarted.OuvrirHW();
  PumpFor(500);
  EXPECT_EQ(Events("start").size(), 1u);

  const ULONGLONG start = GetTickCount64();
  restarted.FermerHW();
  ASSERT_TRUE(Settle(restarted));
  EXPECT_LT(GetTickCount64() - start, 5000u) << "waited for the other window to close";
  ASSERT_TRUE(WaitForLine("exit 0"));
  PumpFor(200);
  EXPECT_EQ(g_closes_to_other, 0);
  EXPECT_TRUE(IsWindow(other));
  EXPECT_TRUE(messages.notices.empty());
  DestroyWindow(other);
}

// Started in its own folder, which ours never becomes: Windows holds a
// program's current folder open, and HeavyWeather's must stay free to be
// moved or uninstalled.
TEST_F(StationWin32, StartsMinimisedFromItsFolderAndLeavesItMinimised) {
  const std::string own = folders.CurrentFolder();
  OuvrFermHW hw(Links(extras));
  hw.OuvrirHW();
  ASSERT_TRUE(WaitForLine("window 1 1")) << "not shown minimised";
  PumpFor(1000);  // anything typed after the start has arrived

  EXPECT_TRUE(hw.HWLance);
  EXPECT_TRUE(messages.notices.empty());
  EXPECT_EQ(folders.CurrentFolder(), own);
  EXPECT_NE(own, chemin);
  EXPECT_EQ(Events("exe").at(0), "exe " + chemin + "\\heavy weather.exe");
  EXPECT_EQ(Events("folder").at(0), "folder " + chemin);
  EXPECT_EQ(Events("show").at(0), "show 2");
  // Already minimised: no keystrokes, nothing that would restore it.
  EXPECT_TRUE(Events("syskeydown").empty());
  EXPECT_TRUE(Events("restored").empty());
  const auto windows = station.WindowsTitled("heavy weather");
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_TRUE(station.IsMinimised(windows[0]));

  ASSERT_TRUE(Settle(hw));
  const ULONGLONG start = GetTickCount64();
  hw.FermerHW();
  ASSERT_TRUE(Settle(hw));
  const ULONGLONG took = GetTickCount64() - start;
  ASSERT_TRUE(WaitForLine("exit 0"));
  EXPECT_EQ(Events("close"), std::vector<std::string>{"close 1 1 1"});
  EXPECT_FALSE(hw.HWLance);
  EXPECT_EQ(hw.HandleHW, 0u);
  std::printf("close of a willing station: %llu ms, %zu WM_CLOSE\n", took, Events("close").size());
}

// Before the close the history gets what HeavyWeather's own boxes say, and
// whether the run wrote anything in its folder.
TEST_F(StationWin32, ItsBoxesAndWhetherItRecordedAreWrittenDown) {
  const ScopedEnv data(L"ORVANDO_STATION_DATA_MS", L"200");
  for (const bool writes : {false, true}) {
    SCOPED_TRACE(writes ? "writes" : "writes nothing");
    Mode(writes ? L"write-data" : L"error-box");
    StationExtras x(clock, messages);
    OuvrFermHW hw(Links(x));
    hw.OuvrirHW();
    ASSERT_TRUE(PumpUntil([&] {
      return writes ? !Events("data").empty()
                    : IsWindowVisible(FindWindowW(nullptr, L"Erreur de communication"));
    }));
    ASSERT_TRUE(Settle(hw));
    hw.FermerHW();
    ASSERT_TRUE(Settle(hw));
    const std::string log = x.Log();
    EXPECT_EQ(log.find("HeavyWeather affichait « Erreur de communication » : « Pas de réponse de "
                       "la station sur COM1 ».") != std::string::npos,
              !writes)
        << log;
    EXPECT_EQ(log.find("sans avoir rien enregistré") == std::string::npos, writes) << log;
    TearDown();
    SetUp();
  }
}

TEST_F(StationWin32, WhileLaunchedStartsNothingAndTypesNothing) {
  OuvrFermHW hw(Links(extras));
  hw.HWLance = true;
  hw.OuvrirHW();
  PumpFor(1500);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_TRUE(station.WindowsTitled("heavy weather").empty());
  EXPECT_TRUE(hw.HWLance);
}

TEST_F(StationWin32, CloseWithNoWindowIsOnePass) {
  OuvrFermHW hw(Links(extras));
  hw.HWLance = true;
  hw.FermerHW();
  EXPECT_EQ(hw.Waiting(), OuvrFermHW::Wait::None);  // no second pass
  EXPECT_FALSE(hw.HWLance);
  EXPECT_EQ(hw.HandleHW, 0u);
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(StationWin32, ClosesBothWindowsOfTheTitle) {
  Mode(L"two-windows");
  OuvrFermHW hw(Links(extras));
  hw.OuvrirHW();
  ASSERT_TRUE(WaitForLine("window 2 1"));
  ASSERT_TRUE(Settle(hw));
  hw.FermerHW();
  ASSERT_TRUE(Settle(hw));
  ASSERT_TRUE(WaitForLine("exit 0"));
  auto closes = Events("close");
  std::sort(closes.begin(), closes.end());
  EXPECT_EQ(closes, (std::vector<std::string>{"close 1 1 1", "close 2 1 1"}));
  EXPECT_TRUE(station.WindowsTitled("heavy weather").empty());
  EXPECT_TRUE(messages.notices.empty());
}

TEST_F(StationWin32, AStationThatIgnoresCloseEndsTheCloseAtItsBoundWithoutAFlood) {
  Mode(L"ignore-close");
  StationTimings timings;
  timings.close_bound_ms = 3000;
  timings.close_again_ms = 1000;
  OuvrFermHW hw(Links(extras, timings));
  hw.OuvrirHW();
  ASSERT_TRUE(WaitForLine("window 1 1"));
  ASSERT_TRUE(Settle(hw));

  const ULONGLONG start = GetTickCount64();
  const double cpu_before = CpuMs();
  hw.FermerHW();
  ASSERT_TRUE(Settle(hw));
  const double cpu = CpuMs() - cpu_before;
  const ULONGLONG took = GetTickCount64() - start;
  // Every request posted has reached the station's log.
  EXPECT_TRUE(PumpUntil([&] { return Events("close").size() == station.posts; }));

  EXPECT_GE(took, 3000u);
  EXPECT_LT(took, 4000u);
  const size_t closes = Events("close").size();
  // One at once, then one a second: patience, not a flood.
  EXPECT_GE(closes, 3u);
  EXPECT_LE(closes, 3000u / 1000 + 1);
  EXPECT_LT(cpu, took / 4.0) << "the wait spins";
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_NE(messages.notices[0].find("ne s'est pas fermé"), std::string::npos);
  EXPECT_FALSE(hw.HWLance);
  EXPECT_EQ(hw.HandleHW, 0u);
  std::printf("close of a station that ignores WM_CLOSE: %llu ms, %zu WM_CLOSE, %.0f ms CPU\n",
              took, closes, cpu);
}

// A program that hides its window first, then saves its files: its close is
// over only once its process has ended, and a close line says so.
TEST_F(StationWin32, TheCloseEndsWithTheProcessNotWithItsWindow) {
  Mode(L"linger");
  const ScopedEnv linger(L"ORVANDO_STATION_LINGER_MS", L"1500");
  OuvrFermHW hw(Links(extras));
  hw.OuvrirHW();
  ASSERT_TRUE(WaitForLine("window 1 1"));
  ASSERT_TRUE(Settle(hw));
  hw.FermerHW();
  ASSERT_TRUE(WaitForLine("gone"));
  EXPECT_EQ(hw.Waiting(), OuvrFermHW::Wait::ForClose) << "over with the window";
  ASSERT_TRUE(Settle(hw));
  EXPECT_EQ(Events("exit"), std::vector<std::string>{"exit 0"}) << "over before the process";
  EXPECT_EQ(Events("close").size(), 1u);
  EXPECT_NE(extras.Log().find("HeavyWeather fermé, "), std::string::npos);
  EXPECT_TRUE(messages.notices.empty());
}

// A question HeavyWeather asks before its window gets no key (a space would
// answer it), even captioned as its main window is; its window is asked to
// minimise directly, and the box is named at the close. Captioned so, the
// box is asked to close with the rest (its Cancel); otherwise it keeps the
// process alive, and the notice says to answer it.
TEST_F(StationWin32, ABoxBeforeItsWindowGetsNoKeyAndIsNamedAtTheClose) {
  for (const std::wstring caption : {L"Connexion", L"Heavy Weather"}) {
    SCOPED_TRACE(win32::Narrow(caption));
    Mode(L"box-first,show-normal");
    const ScopedEnv delay(L"ORVANDO_STATION_DELAY_MS", L"1000");
    const ScopedEnv box_caption(L"ORVANDO_STATION_BOX_CAPTION", caption.c_str());
    StationExtras x(clock, messages);
    StationTimings timings;
    timings.close_bound_ms = 2000;
    OuvrFermHW hw(Links(x, timings));
    hw.OuvrirHW();
    ASSERT_TRUE(WaitForLine("box"));
    // In front, where a key typed for the station's window would land.
    ASSERT_TRUE(PumpUntil([&] {
      wchar_t title[32] = {};
      GetWindowTextW(GetForegroundWindow(), title, 32);
      return title == caption;
    }));
    ASSERT_TRUE(WaitForLine("window 1 0"));
    ASSERT_TRUE(Settle(hw));
    EXPECT_TRUE(WaitForLine("minimized 1", 3000)) << "not asked to minimise";
    PumpFor(500);  // anything typed has arrived
    EXPECT_TRUE(Events("boxkey").empty());
    EXPECT_TRUE(Events("syskeydown").empty());
    EXPECT_TRUE(Events("char").empty());

    hw.FermerHW();
    ASSERT_TRUE(Settle(hw));
    const std::string log = x.Log();
    EXPECT_NE(log.find("HeavyWeather affichait « " + win32::Narrow(caption) +
                       " » : « Rechercher la station sur COM1 ? »"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("déjà fermé"), std::string::npos) << log;
    const bool asked_to_close = caption == L"Heavy Weather";
    ASSERT_EQ(messages.notices.size(), asked_to_close ? 0u : 1u);
    if (!asked_to_close) {
      EXPECT_NE(messages.notices[0].find("Répondez-y"), std::string::npos) << messages.notices[0];
    }
    if (HasFailure()) {
      for (const auto& line : LogLines()) std::printf("log: %s\n", line.c_str());
    }
    messages = {};
    TearDown();
    SetUp();
  }
}

// HeavyWeather stuck, slot after slot (the "3 h" hours run back to back):
// told once, with what it shows now, never the cable nor Task Manager while
// it shows a box; every later slot takes it as its run.
TEST_F(StationWin32, AStuckStationIsToldOnceWithWhatItShowsSlotAfterSlot) {
  const ScopedEnv linger(L"ORVANDO_STATION_LINGER_MS", L"600000");
  const struct {
    const wchar_t* mode;
    const char* told;
    bool task_manager;
  } cases[] = {
      {L"linger", "son programme tourne toujours", true},
      {L"box-on-close",
       "HeavyWeather affiche « Enregistrement » : « Enregistrer les relevés avant de quitter ? »",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(win32::Narrow(c.mode));
    Mode(c.mode);
    StationExtras x(clock, messages);
    StationTimings timings;
    timings.close_bound_ms = 2000;
    OuvrFermHW hw(Links(x, timings));
    for (int slot = 0; slot < 3; ++slot) {
      hw.OuvrirHW();
      ASSERT_TRUE(Settle(hw));
      hw.FermerHW();
      ASSERT_TRUE(Settle(hw));
    }
    EXPECT_EQ(Events("start").size(), 1u);
    ASSERT_EQ(messages.notices.size(), 1u) << messages.notices.back();
    const std::string& notice = messages.notices[0];
    EXPECT_NE(notice.find(c.told), std::string::npos) << notice;
    EXPECT_EQ(notice.find("Gestionnaire") != std::string::npos, c.task_manager) << notice;
    std::printf("the notice after the third slot (%s):\n%s\n", win32::Narrow(c.mode).c_str(),
                notice.c_str());
    messages = {};
    TearDown();
    SetUp();
  }
}

TEST_F(StationWin32, KeystrokesNeverReachAnotherProgramInFront) {
  Mode(L"slow-window");
  const ScopedEnv delay(L"ORVANDO_STATION_DELAY_MS", L"2500");
  const HWND other = OpenOtherProgram();
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }))
      << "the test could not take the focus";

  StationTimings timings;
  timings.window_wait_ms = 1000;  // gives up before the station's window is up
  OuvrFermHW hw(Links(extras, timings));
  hw.OuvrirHW();
  EXPECT_TRUE(WaitForLine("window 1 1"));
  PumpFor(1000);

  EXPECT_EQ(g_keys_to_other, 0);
  EXPECT_TRUE(Events("syskeydown").empty());
  EXPECT_TRUE(hw.HWLance);
  DestroyWindow(other);
}

// Its main window gets them, also one owned by a window that is never shown.
TEST_F(StationWin32, AStationShownNormallyGetsTheKeystrokes) {
  for (const wchar_t* mode : {L"show-normal,take-focus", L"show-normal,take-focus,hidden-owner"}) {
    SCOPED_TRACE(win32::Narrow(mode));
    // Without a window manager a new window is not put in front by itself:
    // this station brings itself there.
    Mode(mode);
    OuvrFermHW hw(Links(extras));
    hw.OuvrirHW();
    ASSERT_TRUE(WaitForLine("window 1 0"));
    ASSERT_FALSE(Events("foreground").empty()) << "the station could not take the focus";
    // Alt+Space reached its window and opened the window menu, and the u came
    // after it (on Wine the space ends the menu, so the u reaches the window).
    EXPECT_TRUE(WaitForLine("syscommand 1 61696", 3000));
    EXPECT_TRUE(WaitForLine("keyup 1 85", 3000));
    if (HasFailure()) {
      for (const auto& line : LogLines()) std::printf("log: %s\n", line.c_str());
    }
    TearDown();
    SetUp();
  }
}

TEST_F(StationWin32, NeverStartsASameNamedProgramFromAnotherFolder) {
  // A decoy "heavy weather.exe" in the current folder and on PATH; none in
  // the station's folder.
  const fs::path decoy = Root() / L"ailleurs";
  fs::create_directories(decoy);
  ASSERT_TRUE(CopyFileW((Folder() / L"heavy weather.exe").c_str(),
                        (decoy / L"heavy weather.exe").c_str(), FALSE));
  ASSERT_TRUE(DeleteFileW((Folder() / L"heavy weather.exe").c_str()));
  SetCurrentDirectoryW(decoy.c_str());
  const ScopedEnv path(L"PATH", (decoy.wstring() + L";C:\\windows\\system32").c_str());

  OuvrFermHW hw(Links(extras));
  hw.OuvrirHW();
  PumpFor(1500);
  EXPECT_TRUE(Events("start").empty());
  ASSERT_EQ(messages.notices.size(), 1u);
  EXPECT_NE(messages.notices[0].find(chemin + "\\heavy weather.exe"), std::string::npos)
      << messages.notices[0];
  EXPECT_TRUE(hw.HWLance);
}

}  // namespace
}  // namespace orvando::test
