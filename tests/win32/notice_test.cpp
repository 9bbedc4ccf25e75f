// The notice under Wine: shown without waiting and without taking the
// keyboard, one window however many events come, sized to its text, gone
// with OK.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/messages_win32.h"
#include "platform/win32/text_win32.h"
#include "windows/notice_win32.h"

namespace orvando::test {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

int NoticesOnScreen() {
  int count = 0;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"OrvandoNotice", nullptr));)
    count += IsWindowVisible(w) ? 1 : 0;
  return count;
}

int Height(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.bottom - r.top;
}

// Started by Windows: an error at start-up waits for nobody.
struct Messages {
  win32::Window owner;  // never shown: the boxes have no owner
  win32::NoticeWindow notice;
  win32::Win32Messages messages{notice, owner};
};

TEST(Win32Messages_Notice, ErrorsAtAnUnattendedStartGoToTheNotice) {
  Messages boxes;
  win32::Win32Messages& messages = boxes.messages;
  messages.SetErrorsToNotice(true);
  messages.ShowError("Impossible d'enregistrer le fichier « C:\\Orvando\\Orvando.cfg ».");
  EXPECT_TRUE(messages.NoticeShown());
}

TEST(Win32Messages_Notice, ReplacesItsTextInOneWindowAndLeavesTheKeyboardAlone) {
  // The user's own program, in front and typing.
  HWND user = CreateWindowW(L"STATIC", L"Autre programme", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            300, 200, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(user);
  for (int i = 0; i < 200 && GetForegroundWindow() != user; ++i) {
    Pump();
    Sleep(10);
  }
  ASSERT_EQ(GetForegroundWindow(), user) << "the test could not take the focus";

  Messages boxes;
  win32::Win32Messages& messages = boxes.messages;
  const std::string long_text =
      "À 03:04 : Le programme introuvable : C:\\Program Files (x86)\\HeavyWeather\\heavy "
      "weather.exe. HeavyWeather n'a pas été lancé.\n\nCe message remplace les 2 précédents ; le "
      "premier date de 03:00.";
  for (const std::string& text :
       {std::string("À 03:00 : un"), std::string("À 03:02 : deux"), long_text}) {
    messages.ShowNotice(text);  // returns: no loop of its own waits for OK
  }
  Pump();
  EXPECT_EQ(NoticesOnScreen(), 1);
  HWND notice = FindWindowW(L"OrvandoNotice", nullptr);
  ASSERT_TRUE(notice);
  wchar_t shown[1024] = {};
  GetDlgItemTextW(notice, win32::NoticeWindow::kText, shown, 1024);
  EXPECT_EQ(win32::Narrow(shown), long_text);
  EXPECT_TRUE(messages.NoticeShown());
  EXPECT_EQ(GetForegroundWindow(), user) << "the notice took the keyboard";
  EXPECT_TRUE(GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const int long_height = Height(notice);

  messages.ShowNotice("À 03:06 : court");
  EXPECT_LT(Height(notice), long_height) << "not sized to its text";

  SendMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(notice));
  EXPECT_FALSE(messages.NoticeShown());

  messages.ShowNotice("À 06:00 : à nouveau");
  Pump();
  EXPECT_EQ(NoticesOnScreen(), 1);
  EXPECT_TRUE(messages.NoticeShown());
  DestroyWindow(user);
}

}  // namespace
}  // namespace orvando::test
