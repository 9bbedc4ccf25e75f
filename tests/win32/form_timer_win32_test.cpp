// The main window with real controls under Wine: texts, geometry, colours,
// menus and the z-order, with the clock, the station and the boxes faked.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "fake_alarm.h"
#include "fake_clock.h"
#include "fake_files.h"
#include "fake_folders.h"
#include "fake_form_timer.h"
#include "fake_messages.h"
#include "fake_shell.h"
#include "fake_station.h"
#include "station_extras.h"
#include "support.h"
#include "layout_checks.h"
#include "main_window/form_timer_layout.h"
#include "main_window/form_timer_win32.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/startup_entry_win32.h"
#include "platform/win32/text_win32.h"

namespace orvando::test {
namespace {

using win32::FormTimerWin32;
namespace L = form_timer_layout;

struct MainWindow {
  FakeClock clock{10, 14, 59, 20};
  FakeFiles files;
  FakeMessages messages;
  I_Ofichier config{files, messages};
  FakeFolders folders;
  FakeStation station{clock};
  FakeAlarm alarm{clock};
  StationExtras extras{clock, messages};
  OuvrFermHW hw{extras.Links(config.CheminHW, folders, station, alarm, clock)};
  FakeInstance instance;
  FakeInstallWindow install;
  FakeAboutWindow about;
  FakePower power;
  FakeShell shell;
  FakeSignalWindow signal_window;
  win32::Win32StartupEntry run_key;  // the test prefix's own registry
  StartWithWindows start_with_windows{run_key, messages, "C:\\Météo\\Orvando.exe"};
  win32::WindowCounter counter;
  FormTimerWin32 window{form, &counter};
  FormTimer form{{window, clock, config, hw, messages, instance, install, about, power,
                  start_with_windows, extras.history, shell, extras.no_alarm, extras.signal,
                  signal_window}};

  MainWindow() {
    EXPECT_TRUE(window.Create());
    EXPECT_TRUE(form.Form_Load());
    window.Start();
  }

  std::string Text(int id) const {
    wchar_t text[256];
    const int n = GetWindowTextW(window.control(id), text, 256);
    return win32::Narrow(text, n);
  }

  RECT RectInClient(int id) const {
    RECT r;
    GetWindowRect(window.control(id), &r);
    MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

// Moved to a monitor of another DPI, the window lays itself out again.
TEST(FormTimerWin32_Layout, RescalesOnADpiChange) {
  MainWindow w;
  const int dpi = 144;
  RECT suggested{100, 100, 100 + MulDiv(260, dpi, 96), 100 + MulDiv(180, dpi, 96)};
  SendMessageW(w.window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  struct Case {
    int id;
    RECT expected;
  };
  const Case cases[] = {
      {FormTimerWin32::kFrame1, Px(120, 120, 3255, 855, dpi)},
      {FormTimerWin32::kOption1 + 4, Px(2640, 480, 615, 255, dpi)},
      {FormTimerWin32::kLabel2, Px(120, 1120, 1215, 375, dpi)},
      {FormTimerWin32::kCommand1, Px(1680, 1200, 1095, 255, dpi)},
      {FormTimerWin32::kLabel1, Px(3000, 1200, 135, 255, dpi)},
  };
  for (const auto& c : cases) {
    const RECT r = w.RectInClient(c.id);
    EXPECT_EQ(r.left, c.expected.left) << c.id;
    EXPECT_EQ(r.top, c.expected.top) << c.id;
    EXPECT_EQ(r.right, c.expected.right) << c.id;
    EXPECT_EQ(r.bottom, c.expected.bottom) << c.id;
  }
  // The clock's font grows with the DPI: 12 points at 144 DPI is 24 pixels.
  EXPECT_EQ(FontOf(w.window.control(FormTimerWin32::kLabel2)).lfHeight, -24);
}

}  // namespace

void ExpectMainWindowAsDesigned(int dpi) {
  MainWindow w;
  ASSERT_EQ(win32::DpiOf(w.window.hwnd()), static_cast<UINT>(dpi));
  struct Case {
    int id;
    RECT expected;
    std::string text;
  };
  const Case cases[] = {
      {FormTimerWin32::kFrame1, Px(120, 120, 3255, 855, dpi), "Lancer Heavy Weather toutes les :"},
      {FormTimerWin32::kOption1 + 0, Px(240, 480, 615, 255, dpi), "15 mn"},
      {FormTimerWin32::kOption1 + 1, Px(840, 480, 615, 255, dpi), "30 mn"},
      {FormTimerWin32::kOption1 + 2, Px(1440, 480, 615, 255, dpi), "1 h"},
      {FormTimerWin32::kOption1 + 3, Px(2040, 480, 615, 255, dpi), "3 h"},
      {FormTimerWin32::kOption1 + 4, Px(2640, 480, 615, 255, dpi), "6 h"},
      {FormTimerWin32::kLabel2, Px(120, 1120, 1215, 375, dpi), "10:14:59"},
      {FormTimerWin32::kFrame2, Px(1440, 960, 1935, 615, dpi), ""},
      {FormTimerWin32::kCommand1, Px(1680, 1200, 1095, 255, dpi), "Start"},
      {FormTimerWin32::kLabel1, Px(3000, 1200, 135, 255, dpi), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const RECT r = w.RectInClient(c.id);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    // The clock shows the time in the system's format: hours, minutes and
    // seconds in whatever separators and padding the locale uses.
    if (c.id == FormTimerWin32::kLabel2) {
      EXPECT_NE(w.Text(c.id).find("14"), std::string::npos) << w.Text(c.id);
      EXPECT_NE(w.Text(c.id).find("59"), std::string::npos) << w.Text(c.id);
    } else {
      EXPECT_EQ(w.Text(c.id), c.text);
    }
  }
  RECT client;
  GetClientRect(w.window.hwnd(), &client);
  EXPECT_EQ(client.right, MulDiv(3495, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(1755, dpi, 1440));
}

namespace {

TEST(FormTimerWin32_Layout, ControlsAtTheirRectanglesWithTheirTexts) {
  ExpectMainWindowAsDesigned(96);
}

TEST(FormTimerWin32_Window, FrameMenuAndTopmost) {
  MainWindow w;
  HWND hwnd = w.window.hwnd();
  wchar_t title[64];
  GetWindowTextW(hwnd, title, 64);
  EXPECT_EQ(win32::Narrow(title), "Orvando");
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(hwnd));

  HMENU bar = GetMenu(hwnd);
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  struct Item {
    int menu, pos;
    std::string text;
    bool enabled;
  };
  // clang-format off
  const Item items[] = {
      {0, 0, "Chemin HeavyWeather", true},  {0, 1, "Historique", true},
      {1, 0, "Dur\xC3\xA9" "e mise en marche", true}, {1, 1, "Signal de vie", true},
      {1, 2, "Jouer son", false},           {1, 3, "Minimiser HeavyWeather", false},
      {1, 4, "", false},                    {1, 5, "D\xC3\xA9marrer avec Windows", true},
      {2, 0, "Aide", true},                 {2, 1, "About", true},
  };
  // clang-format on
  for (const auto& item : items) {
    HMENU sub = GetSubMenu(bar, item.menu);
    wchar_t text[64];
    GetMenuStringW(sub, item.pos, text, 64, MF_BYPOSITION);
    EXPECT_EQ(win32::Narrow(text), item.text);
    const UINT state = GetMenuState(sub, item.pos, MF_BYPOSITION);
    if (item.text.empty()) {
      EXPECT_TRUE(state & MF_SEPARATOR);
      continue;
    }
    EXPECT_EQ((state & MF_GRAYED) == 0, item.enabled) << item.text;
    EXPECT_FALSE(state & MF_CHECKED);
  }
  SendMessageW(hwnd, WM_COMMAND, FormTimerWin32::kMenuAboutId, 0);
  EXPECT_EQ(w.about.shows, 1);

  // "Durée mise en marche": four lengths, the one chosen with a radio mark,
  // written to the settings file.
  HMENU duree = GetSubMenu(GetSubMenu(bar, 1), 0);
  ASSERT_EQ(GetMenuItemCount(duree), 4);
  wchar_t text[64];
  GetMenuStringW(duree, 3, text, 64, MF_BYPOSITION);
  EXPECT_EQ(win32::Narrow(text), "10 minutes");
  w.config.CheminHW = "C:\\Meteo";
  w.files.files[w.config.ConfigPath()].bytes = "before";
  SendMessageW(hwnd, WM_COMMAND, FormTimerWin32::kMenuDureeId + 2, 0);
  EXPECT_EQ(w.files.Content(w.config.ConfigPath()), config::FormatConfig("C:\\Meteo", 0, 5));
  SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(duree), 0);
  for (int i = 0; i < 4; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(duree, i, TRUE, &info);
    EXPECT_EQ((info.fState & MFS_CHECKED) != 0, i == 2) << i;
    if (i == 2) {
      EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    }
  }
}

TEST(FormTimerWin32_Window, ButtonsDriveTheStateTheyShow) {
  MainWindow w;
  auto checked = [&](int i) {
    return SendMessageW(w.window.control(FormTimerWin32::kOption1 + i), BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
  };
  EXPECT_TRUE(checked(0));
  EXPECT_EQ(w.form.Duree, "15");
  SendMessageW(w.window.control(FormTimerWin32::kOption1 + 3), BM_CLICK, 0, 0);
  EXPECT_EQ(w.form.Duree, "3");
  EXPECT_EQ(w.config.IndexDuree, 3);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(checked(i), i == 3) << i;

  SendMessageW(w.window.control(FormTimerWin32::kCommand1), BM_CLICK, 0, 0);
  EXPECT_EQ(w.Text(FormTimerWin32::kCommand1), "Stop");
  EXPECT_EQ(w.form.Command1Caption, "Stop");
  SendMessageW(w.window.control(FormTimerWin32::kCommand1), BM_CLICK, 0, 0);
  EXPECT_EQ(w.Text(FormTimerWin32::kCommand1), "Start");
}

TEST(FormTimerWin32_Window, IndicatorAndClockColours) {
  MainWindow w;
  auto pixel = [&](int id) {
    HWND c = w.window.control(id);
    RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(c);
    const COLORREF p = GetPixel(dc, 3, 3);  // inside the border
    ReleaseDC(c, dc);
    return p;
  };
  EXPECT_EQ(pixel(FormTimerWin32::kLabel1), RGB(128, 0, 0));
  EXPECT_EQ(pixel(FormTimerWin32::kLabel2), RGB(0, 0, 0));
  w.form.Command1_Click();
  w.clock.Advance(1000);
  w.form.OnTimerEvent();
  EXPECT_EQ(pixel(FormTimerWin32::kLabel1), RGB(255, 0, 0));
}

TEST(FormTimerWin32_Quit, NoKeepsEverythingYesClosesTheAboutWindowToo) {
  MainWindow w;
  w.messages.answer_yes = false;
  SendMessageW(w.window.hwnd(), WM_CLOSE, 0, 0);
  ASSERT_EQ(w.messages.questions.size(), 1u);
  EXPECT_EQ(w.messages.questions[0], "Arr\xC3\xAAter le timer et quitter ?");
  EXPECT_TRUE(IsWindow(w.window.hwnd()));
  EXPECT_EQ(w.about.unloads, 0);

  w.messages.answer_yes = true;
  HWND hwnd = w.window.hwnd();
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(w.about.unloads, 1);
  EXPECT_EQ(w.counter.open(), 0);  // the program ends once no window is left
}

TEST(FormTimerWin32_Quit, WindowsEndingTheSessionAsksUnlessItIsCritical) {
  MainWindow w;
  w.messages.answer_yes = false;
  EXPECT_EQ(SendMessageW(w.window.hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(w.messages.questions.size(), 1u);
  EXPECT_EQ(SendMessageW(w.window.hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_CRITICAL), TRUE);
  EXPECT_EQ(w.messages.questions.size(), 1u);
  w.messages.answer_yes = true;
  EXPECT_EQ(SendMessageW(w.window.hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

// Back from sleep, or with the clock set, the label shows the new time at
// once rather than when the timer armed before falls due.
TEST(FormTimerWin32_Tick, ResumeAndTimeChangeShowTheTimeAtOnce) {
  const std::pair<UINT, WPARAM> messages[] = {{WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                                              {WM_TIMECHANGE, 0}};
  for (const auto& [message, wparam] : messages) {
    MainWindow w;
    w.clock.Advance(3 * 3600 * 1000);  // the timer waits for 10:15:00
    SendMessageW(w.window.hwnd(), message, wparam, 0);
    EXPECT_EQ(w.form.Label2Caption, "10:14:59") << "ticked inside the sent message";
    EXPECT_TRUE(PumpUntil([&] { return w.form.Label2Caption == "13:14:59"; }, 2000)) << message;
    EXPECT_NE(w.Text(FormTimerWin32::kLabel2).find("13"), std::string::npos) << message;
  }
}

// The Run value in the test prefix's registry, and Task Manager's switch
// beside it, read back with the registry's own call; nothing is left behind.
TEST(FormTimerWin32_Menu, DemarrerAvecWindowsWritesAndRemovesTheRunValue) {
  struct Cleanup {
    ~Cleanup() {
      win32::Win32StartupEntry().Remove();
      win32::Win32StartupEntry().TurnOn();
    }
  } cleanup;
  MainWindow w;
  HMENU option = GetSubMenu(GetMenu(w.window.hwnd()), 1);
  // Turned off in Task Manager: the value stays, Windows no longer runs it.
  const BYTE turned_off[12] = {3};
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, win32::kApprovedKey, L"Orvando", REG_BINARY,
                            turned_off, sizeof turned_off),
            ERROR_SUCCESS);
  ASSERT_TRUE(win32::Win32StartupEntry().Write(w.start_with_windows.Command()));
  SendMessageW(w.window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(option), 1);
  EXPECT_FALSE(GetMenuState(option, FormTimerWin32::kMenuDemarrageId, MF_BYCOMMAND) & MF_CHECKED);
  const auto run_value = [] {
    wchar_t text[512] = {};
    DWORD size = sizeof text;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, win32::kRunKey, L"Orvando",
                                        RRF_RT_REG_SZ, nullptr, text, &size);
    return status == ERROR_SUCCESS ? win32::Narrow(text) : std::string("<none>");
  };
  for (const bool checked : {true, false}) {
    SendMessageW(w.window.hwnd(), WM_COMMAND, FormTimerWin32::kMenuDemarrageId, 0);
    SendMessageW(w.window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(option), 1);
    EXPECT_EQ(
        (GetMenuState(option, FormTimerWin32::kMenuDemarrageId, MF_BYCOMMAND) & MF_CHECKED) != 0,
        checked);
    EXPECT_EQ(run_value(), checked ? "\"C:\\Météo\\Orvando.exe\" /start" : "<none>");
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, win32::kApprovedKey, L"Orvando", RRF_RT_ANY, nullptr,
                           nullptr, nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_TRUE(w.messages.errors.empty());
}

// Automatic sign-in, as netplwiz sets it in the test prefix's registry: for
// this user only, its domain aside. Read, never written.
TEST(FormTimerWin32_Menu, AutomaticSignInIsThisUsersOnly) {
  const auto set = [](const wchar_t* name, const std::wstring& value) {
    if (value.empty()) {
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, win32::kWinlogonKey, name);
    } else {
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, win32::kWinlogonKey, name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
  };
  struct Cleanup {
    decltype(set)& clear;
    ~Cleanup() { clear(L"AutoAdminLogon", L""), clear(L"DefaultUserName", L""); }
  } cleanup{set};
  wchar_t me[257];
  DWORD size = 257;
  ASSERT_TRUE(GetUserNameW(me, &size));
  const struct {
    std::wstring on, user;
    bool signs_in;
  } cases[] = {
      {L"", me, false},  {L"1", me, true},           {L"1", L"PC-METEO\\" + std::wstring(me), true},
      {L"0", me, false}, {L"1", L"quelquun", false}, {L"1", L"", false},
  };
  for (const auto& c : cases) {
    set(L"AutoAdminLogon", c.on);
    set(L"DefaultUserName", c.user);
    EXPECT_EQ(win32::Win32StartupEntry().SignsInAutomatically(), c.signs_in)
        << win32::Narrow(c.on) << " " << win32::Narrow(c.user);
  }
}

}  // namespace
}  // namespace orvando::test
