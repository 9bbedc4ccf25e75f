// The event pump that runs inside a launch or a close, and the key inputs
// behind the keystroke strings.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/event_pump_win32.h"
#include "platform/win32/keyboard_win32.h"

namespace orvando::test {
namespace {

int g_dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) ++g_dispatched;
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND CountingWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvandoTestCounting";
  RegisterClassW(&wc);
  return CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance,
                       nullptr);
}

TEST(Win32EventPump_Wait, RunsEventsAsTheyArriveAndSleepsOtherwise) {
  const HWND window = CountingWindow();
  win32::Win32EventPump pump;
  PostMessageW(window, WM_APP, 0, 0);
  const ULONGLONG start = GetTickCount64();
  pump.WaitWithEvents(300);
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_EQ(g_dispatched, 1);
  EXPECT_GE(took, 290u);
  EXPECT_LT(took, 1000u);
  EXPECT_FALSE(pump.QuitRequested());
  DestroyWindow(window);
}

// A close after a quit runs to its end: the windows left go on answering.
TEST(Win32EventPump_Quit, IsRememberedWithItsCodeAndEventsStillRun) {
  const HWND window = CountingWindow();
  win32::Win32EventPump pump;
  PostQuitMessage(7);
  const ULONGLONG start = GetTickCount64();
  pump.WaitWithEvents(300);
  EXPECT_GE(GetTickCount64() - start, 290u);  // the whole wait, all the same
  EXPECT_TRUE(pump.QuitRequested());
  EXPECT_EQ(pump.ExitCode(), 7);
  const int before = g_dispatched;
  PostMessageW(window, WM_APP, 0, 0);
  pump.LetPendingEventsRun();
  EXPECT_EQ(g_dispatched, before + 1);
  DestroyWindow(window);
}

TEST(Win32Keyboard_Inputs, TypesTheStringsWithRealKeys) {
  struct Case {
    const char* keys;
    std::vector<std::pair<WORD, bool>> expected;  // virtual key, pressed
  };
  const Case cases[] = {
      {"%{ }", {{VK_MENU, true}, {VK_SPACE, true}, {VK_SPACE, false}, {VK_MENU, false}}},
      {" {u}", {{VK_SPACE, true}, {VK_SPACE, false}, {'U', true}, {'U', false}}},
      // The layout needs Shift for a capital: added around it...
      {"U", {{VK_SHIFT, true}, {'U', true}, {'U', false}, {VK_SHIFT, false}}},
      // ... but not twice when the string already holds it.
      {"+U", {{VK_SHIFT, true}, {'U', true}, {'U', false}, {VK_SHIFT, false}}},
      {"{LEFT}", {{VK_LEFT, true}, {VK_LEFT, false}}},
  };
  for (const auto& c : cases) {
    const auto inputs = win32::KeyInputs(ParseKeys(c.keys).events);
    ASSERT_EQ(inputs.size(), c.expected.size()) << c.keys;
    for (size_t i = 0; i < inputs.size(); ++i) {
      EXPECT_EQ(inputs[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
      EXPECT_EQ(inputs[i].ki.wVk, c.expected[i].first) << c.keys << " #" << i;
      EXPECT_EQ((inputs[i].ki.dwFlags & KEYEVENTF_KEYUP) == 0, c.expected[i].second)
          << c.keys << " #" << i;
    }
  }
  const auto left = win32::KeyInputs(ParseKeys("{LEFT}").events);
  EXPECT_TRUE(left[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
}

TEST(Win32Keyboard_Inputs, SendsUntypableCharactersAsUnicode) {
  const auto inputs = win32::KeyInputs(ParseKeys("\xF0\x9F\x98\x80").events);  // U+1F600
  ASSERT_EQ(inputs.size(), 4u);  // a surrogate pair, pressed then released
  EXPECT_EQ(inputs[0].ki.wScan, 0xD83D);
  EXPECT_EQ(inputs[1].ki.wScan, 0xDE00);
  for (const auto& input : inputs) EXPECT_TRUE(input.ki.dwFlags & KEYEVENTF_UNICODE);
}

}  // namespace
}  // namespace orvando::test
