// A whole run at a chosen local time, with the checks made from outside.
// whole_run.sh starts Orvando under faketime a few seconds before a quarter
// hour, with a settings file choosing "15 mn"; this driver (on the real
// clock) arms it, then watches the stand-in station's log and Orvando's
// clock: started minimised on the quarter, closed 119 ticks later, nothing
// started again after.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "driver.h"

namespace orvando::test {
namespace {

constexpr int kQuarterSeconds = 15 * 60;

std::vector<std::string> Events(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> found;
  for (const auto& line : lines)
    if (line.substr(0, line.find(' ')) == name) found.push_back(line);
  return found;
}

class E2e_WholeRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("ORVANDO_E2E_FOLDER");
    ASSERT_TRUE(folder) << "run through whole_run.sh";
    log_ = Widen(folder) + L"\\station.log";
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

  std::wstring log_;
  Process orvando_;
};

TEST_F(E2e_WholeRun, StartedMinimisedOnTheQuarterClosedAfter120TicksThenNothing) {
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = FindMainWindow(0)) != nullptr; }, 30000));
  ASSERT_TRUE(orvando_.Attach(ProcessOf(main)));
  HWND clock = ClockLabel(main);
  HWND button = StartStopButton(main);
  ASSERT_TRUE(clock && button);
  EXPECT_TRUE(IsChecked(OptionButton(main, L"15 mn")));

  ULONGLONG synced = 0;
  const int shown = NextSecond(clock, synced);
  ASSERT_GE(shown, 0) << "the clock does not move";
  const int quarter = (shown / kQuarterSeconds + 1) * kQuarterSeconds;
  ASSERT_EQ(quarter, 10 * 3600 + 15 * 60) << "not on the chosen time: " << Narrow(TextOf(clock));
  ASSERT_GE(quarter - shown, 2) << "started too late to arm before the quarter";
  // The driver's own clock at the moment Orvando's turns to 10:15:00.
  const ULONGLONG quarter_at = synced + static_cast<ULONGLONG>(quarter - shown) * 1000;

  Click(button);
  ASSERT_TRUE(WaitFor([&] { return TextOf(button) == L"Stop"; }));
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
  const int closed_shown = ClockSeconds(TextOf(clock));
  const long long after = static_cast<long long>(closed - quarter_at);
  EXPECT_GE(after, 119000 - 100) << "closed early";
  EXPECT_LE(after, 120000 + 500) << "closed late";
  EXPECT_EQ(closed_shown, quarter + 119) << Narrow(TextOf(clock));
  std::printf("station seen started %lld ms after the quarter, closed %lld ms after it\n",
              static_cast<long long>(started - quarter_at), after);
  ASSERT_TRUE(WaitFor([&] { return Count("exit") > 0; }, 10000));
  EXPECT_EQ(Events(Log(), "close"), std::vector<std::string>{"close 1 1 1"});
  EXPECT_EQ(Events(Log(), "exit"), std::vector<std::string>{"exit 0"});
  EXPECT_TRUE(Events(Log(), "restored").empty()) << "the station was shown";

  // Armed and waiting for 10:30: nothing starts meanwhile.
  ULONGLONG ignored = 0;
  while (NextSecond(clock, ignored) >= 0 && ClockSeconds(TextOf(clock)) < quarter + 126) {
  }
  EXPECT_EQ(ClockSeconds(TextOf(clock)), quarter + 126);
  EXPECT_EQ(Count("start"), 1u);
  EXPECT_FALSE(FindWindowW(nullptr, L"heavy weather"));
  EXPECT_EQ(TextOf(button), L"Stop");

  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = WaitForMessageBox(orvando_.pid());
  ASSERT_TRUE(box);
  ASSERT_TRUE(AnswerYes(box));
  DWORD code = 1;
  ASSERT_TRUE(orvando_.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace orvando::test
