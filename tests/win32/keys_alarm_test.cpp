// The key inputs behind HeavyWeather's keystrokes, and the alarm that paces
// the waits on it, which must ring inside a message box's own loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/win32/alarm_win32.h"
#include "platform/win32/keyboard_win32.h"
#include "station/heavy_weather.h"

namespace orvando::test {
namespace {

TEST(Win32Keyboard_Inputs, TypesTheStringsWithRealKeys) {
  struct Case {
    std::span<const KeyEvent> keys;
    std::vector<std::pair<WORD, bool>> expected;  // virtual key, pressed
  };
  const Case cases[] = {
      {hw::kOpenWindowMenu,
       {{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}}},
      {hw::kPickMinimise, {{VK_SPACE, true}, {VK_SPACE, false}, {'U', true}, {'U', false}}},
  };
  for (const auto& c : cases) {
    const auto inputs = win32::KeyInputs(c.keys);
    ASSERT_EQ(inputs.size(), c.expected.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
      EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
      EXPECT_EQ(inputs[i].ki.wVk, c.expected[i].first) << i;
      EXPECT_EQ((inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) == 0, c.expected[i].second) << i;
    }
  }
}

// A box left open runs its own loop, which rings the alarm as ours does: the
// ring here answers the box itself. Should it not ring, a watchdog closes
// the box after 5 s and the test fails instead of hanging.
TEST(Win32Alarm_Ring, RingsInsideAMessageBoxsLoop) {
  win32::Win32Alarm alarm;
  int rings = 0;
  const auto close_box = [] {
    HWND box = FindWindowW(L"#32770", L"Orvando alarm test");
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return box != nullptr;
  };
  std::function<void()> ring = [&] {
    // Set again from its own ring, until it has rung thrice and the box is up.
    if (++rings < 3 || !close_box()) alarm.Set(50, ring);
  };
  alarm.Set(50, ring);
  std::atomic<bool> done = false;
  std::thread watchdog([&] {
    for (int i = 0; i < 100 && !done; ++i) Sleep(50);
    if (!done) close_box();
  });
  const ULONGLONG start = GetTickCount64();
  MessageBoxW(nullptr, L"…", L"Orvando alarm test", MB_OK);
  const ULONGLONG took = GetTickCount64() - start;
  done = true;
  watchdog.join();
  EXPECT_GE(rings, 3);
  EXPECT_LT(took, 4000u);
}

}  // namespace
}  // namespace orvando::test
