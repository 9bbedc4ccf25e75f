// The main window of an installed Orvando: Start and Stop, the quit question,
// a second copy, and the About window.
#include "scenario.h"

namespace orvando::test {
namespace {

constexpr COLORREF kDarkRed = RGB(128, 0, 0);
constexpr COLORREF kBrightRed = RGB(255, 0, 0);
// "About" is the second item of the third menu, "?".
constexpr MenuPlace kAboutPlace{2, 1};

class E2e_MainWindow : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    ASSERT_TRUE(WriteConfig(WrittenConfig(StationFolder(), 1)));
    ASSERT_TRUE(StartOrvando());
    ASSERT_TRUE(WaitForMainWindow()) << "no main window";
  }
};

TEST_F(E2e_MainWindow, StartAndStopToggleTheCaptionAndTheIndicatorBlinksOnlyWhileArmed) {
  HWND button = StartStopButton(main);
  HWND indicator = IndicatorLabel(main);
  ASSERT_TRUE(button && indicator);
  EXPECT_TRUE(IsChecked(OptionButton(main, L"30 mn")));
  EXPECT_EQ(TextOf(button), L"Start");
  EXPECT_EQ(CentrePixel(indicator), kDarkRed);

  const int armed_at = ClockSeconds(TextOf(ClockLabel(main)));
  Click(button);
  ASSERT_TRUE(WaitFor([&] { return TextOf(button) == L"Stop"; })) << "Start did not arm";
  // Armed: the indicator changes colour on every tick.
  EXPECT_TRUE(WaitFor([&] { return CentrePixel(indicator) == kBrightRed; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return CentrePixel(indicator) == kDarkRed; }, 3000));

  Click(button);
  ASSERT_TRUE(WaitFor([&] { return TextOf(button) == L"Start"; })) << "Stop did not disarm";
  const int stopped_at = ClockSeconds(TextOf(ClockLabel(main)));
  EXPECT_TRUE(WaitFor([&] { return CentrePixel(indicator) == kDarkRed; }, 1000));
  // Stopped: it stays dark while the clock goes on.
  EXPECT_TRUE(ClockRuns(main));
  EXPECT_FALSE(WaitFor([&] { return CentrePixel(indicator) != kDarkRed; }, 2500));
  // Arming starts nothing by itself; only a half hour reached while armed
  // (minute 0 or 30 on the PC's clock) starts the station, as it should.
  bool slot_while_armed = false;
  const int until = stopped_at < armed_at ? stopped_at + 86400 : stopped_at;  // midnight
  for (int t = armed_at; t <= until + 1; ++t) slot_while_armed |= t / 60 % 30 == 0;
  size_t starts = 0;
  for (const auto& line : ReadLines(LogPath())) starts += line.rfind("start ", 0) == 0;
  EXPECT_LE(starts, slot_while_armed ? 1u : 0u) << "a station was started";
  QuitAnsweringYes(main);
}

TEST_F(E2e_MainWindow, QuitQuestionAnsweredNoKeepsRunningThenYesEnds) {
  Click(StartStopButton(main));
  ASSERT_TRUE(WaitFor([&] { return TextOf(StartStopButton(main)) == L"Stop"; }));

  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = WaitForMessageBox(orvando.pid());
  ASSERT_TRUE(box) << "no quit question";
  EXPECT_EQ(MessageText(box), kQuitQuestion);
  // The clock goes on while the question waits.
  EXPECT_TRUE(ClockRuns(main));
  ASSERT_TRUE(AnswerNo(box));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the question stays";
  EXPECT_TRUE(orvando.Running());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(TextOf(StartStopButton(main)), L"Stop") << "No changed the armed state";
  EXPECT_TRUE(ClockRuns(main));

  QuitAnsweringYes(main);
  // Quitting writes nothing.
  EXPECT_EQ(ConfigBytes(), WrittenConfig(StationFolder(), 1));
}

// A second copy shows nothing of its own and ends. Started by the user, who
// has lost the window behind others, it brings the first one back; started
// by Windows (/start), it changes nothing.
TEST_F(E2e_MainWindow, SecondCopyEndsAndBringsTheFirstBackOnlyWhenStartedByHand) {
  Click(StartStopButton(main));
  ASSERT_TRUE(WaitFor([&] { return TextOf(StartStopButton(main)) == L"Stop"; }));
  const std::string before = ConfigBytes();
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != 0; }));

  for (const wchar_t* arguments : {L"/start", L""}) {
    SCOPED_TRACE(Narrow(arguments));
    Process second;
    ASSERT_TRUE(second.Start(OrvandoExe(), Folder(), arguments));
    bool showed = false;
    ASSERT_TRUE(WaitFor(
        [&] {
          for (HWND window : TopWindows(second.pid())) showed |= IsWindowVisible(window) != 0;
          return !second.Running();
        },
        kStartMs, 5))
        << "the second copy keeps running";
    EXPECT_FALSE(showed) << "the second copy showed a window";
    if (*arguments) {
      EXPECT_TRUE(IsIconic(main)) << "started by Windows, it brought the first back";
    } else {
      EXPECT_TRUE(WaitFor([&] { return !IsIconic(main) && IsWindowVisible(main); }))
          << "the first copy's window stays minimised";
    }
  }

  EXPECT_TRUE(orvando.Running());
  EXPECT_EQ(FindMainWindow(orvando.pid()), main);
  EXPECT_EQ(TextOf(StartStopButton(main)), L"Stop");
  EXPECT_TRUE(ClockRuns(main));
  EXPECT_FALSE(FindMessageBox(orvando.pid()));
  EXPECT_EQ(ConfigBytes(), before);
  QuitAnsweringYes(main);
}

// A copy that takes the request and answers nothing (an older version, or
// one about to end), played by this driver: nothing came to the front, so
// the new copy says that Orvando already runs, then ends.
class E2e_SecondCopy : public Scenario {};

TEST_F(E2e_SecondCopy, ACopyThatDoesNotAnswerIsToldOfInABox) {
  ASSERT_TRUE(WriteConfig(WrittenConfig(StationFolder(), 1)));
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\Orvando.SingleInstance");
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvandoFormTimer";
  RegisterClassW(&wc);
  const HWND older = CreateWindowW(wc.lpszClassName, L"Orvando", WS_OVERLAPPED, 0, 0, 100, 100,
                                   nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(mutex && older);
  ASSERT_TRUE(StartOrvando());
  const HWND box = WaitForMessageBox(orvando.pid(), kStartMs);
  ASSERT_TRUE(box) << "no box";
  EXPECT_EQ(MessageText(box).rfind(L"Orvando fonctionne déjà sur ce PC", 0), 0u)
      << Narrow(MessageText(box));
  EXPECT_FALSE(FindMainWindow(orvando.pid()));
  ASSERT_TRUE(AnswerOk(box));
  DWORD code = 1;
  EXPECT_TRUE(orvando.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  DestroyWindow(older);
  CloseHandle(mutex);
}

TEST_F(E2e_MainWindow, AboutOpenedTwiceGivesOneWindowThatQuitCloses) {
  const auto about_windows = [&] {
    int n = 0;
    for (HWND window : TopWindows(orvando.pid()))
      n += IsWindowVisible(window) && TextOf(window) == L"About ZR";
    return n;
  };
  ASSERT_TRUE(ChooseMenuItem(main, L"About", kAboutPlace));
  ASSERT_TRUE(WaitFor([&] { return about_windows() == 1; })) << "no About window";
  ASSERT_TRUE(ChooseMenuItem(main, L"About", kAboutPlace));
  // The menu's command is queued by now; a click queued after it is handled
  // after it. Once the click shows, the second choice has been handled.
  HWND one_hour = OptionButton(main, L"1 h");
  Click(one_hour);
  ASSERT_TRUE(WaitFor([&] { return IsChecked(one_hour); }));
  EXPECT_EQ(about_windows(), 1);
  EXPECT_TRUE(ClockRuns(main));
  QuitAnsweringYes(main);
}

}  // namespace
}  // namespace orvando::test
