// The About window under Wine: its look at 96 DPI, its lifetime, and the
// pointer and clicks routed from the real controls to the shell.

#include "windows/about_win32.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "fake_shell.h"
#include "platform/win32/text_win32.h"

namespace orvando::test {
namespace {

using win32::AboutControl;
using win32::AboutWin32;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);  // generous: the machine may be busy
  while (std::chrono::steady_clock::now() < deadline) {
    Pump();
    if (done()) return true;
    Sleep(10);
  }
  return false;
}

std::string TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return win32::Narrow(buffer);
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

bool Underlined(HWND control) {
  return FontOf(control).lfUnderline != 0;
}

// The rectangle of a control in its container's client area, in pixels.
RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Moves the real pointer to a point given in twips in a control's client
// area (15 twips per pixel at 96 DPI), and optionally clicks there.
void PointerTo(HWND control, int x_twips, int y_twips, bool click) {
  POINT at{x_twips / 15, y_twips / 15};
  ClientToScreen(control, &at);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = MulDiv(at.x, 65535, width - 1);
  inputs[0].mi.dy = MulDiv(at.y, 65535, height - 1);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(click ? 3 : 1, inputs, sizeof(INPUT));
}

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Away from the window, which a pointer left at the screen's centre
    // would otherwise underline as it appears under it.
    SetCursorPos(0, 0);
    about.Show();
    ASSERT_TRUE(about.loaded());
    ASSERT_EQ(GetDpiForWindow(about.hwnd()), 96u) << "these tests expect a 96 DPI screen";
    Pump();
  }
  HWND Control(AboutControl id) const { return about.Control(id); }

  FakeShell shell;
  win32::WindowCounter counter;
  AboutWin32 about{shell, &counter};
};

TEST_F(AboutWindowTest, FrameCaptionAndClientArea) {
  EXPECT_EQ(TextOf(about.hwnd()), "About ZR");
  const LONG style = GetWindowLongW(about.hwnd(), GWL_STYLE);
  const LONG ex_style = GetWindowLongW(about.hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex_style & WS_EX_APPWINDOW);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(IsWindowVisible(about.hwnd()));

  RECT client;
  GetClientRect(about.hwnd(), &client);
  EXPECT_EQ(client.right, 242);   // 3630 twips
  EXPECT_EQ(client.bottom, 215);  // 3225 twips

  RECT window;
  GetWindowRect(about.hwnd(), &window);
  EXPECT_NEAR(window.left + window.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(window.top + window.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

TEST_F(AboutWindowTest, ControlsSitAtTheirRectangles) {
  struct Case {
    AboutControl id;
    int left, top, width, height;  // twips
  } cases[] = {
      {win32::kAboutFrame1, 120, 0, 3375, 1335},   {win32::kAboutImage3, 120, 480, 480, 480},
      {win32::kAboutLabel4, 720, 240, 2535, 615},  {win32::kAboutLabel3, 1080, 915, 615, 255},
      {win32::kAboutLabel5, 1800, 975, 855, 135},  {win32::kAboutMail, 360, 1320, 3015, 615},
      {win32::kAboutImage1, 120, 120, 480, 480},   {win32::kAboutLabel1, 720, 240, 2175, 255},
      {win32::kAboutSiteZR, 0, 2040, 3855, 615},   {win32::kAboutImage2, 120, 0, 1095, 495},
      {win32::kAboutLabel2, 1320, 120, 2295, 255}, {win32::kAboutCommand1, 1320, 2760, 975, 375},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HWND control = Control(c.id);
    ASSERT_NE(control, nullptr);
    const RECT r = RectInParent(control);
    EXPECT_EQ(r.left, c.left / 15);
    EXPECT_EQ(r.top, c.top / 15);
    EXPECT_EQ(r.right - r.left, c.width / 15);
    EXPECT_EQ(r.bottom - r.top, c.height / 15);
  }
}

TEST_F(AboutWindowTest, TextsFontsAndColours) {
  HDC dc = CreateCompatibleDC(nullptr);
  struct Case {
    AboutControl id;
    std::string text;
    const wchar_t* face;
    int height;  // pixels at 96 DPI
    bool bold;
    COLORREF colour;
  } cases[] = {
      {win32::kAboutLabel4, "Orvando pour Station météo ws2300", L"MS Sans Serif", -16, true,
       GetSysColor(COLOR_BTNTEXT)},
      {win32::kAboutLabel3, "V 1.00", L"MS Sans Serif", -13, false, GetSysColor(COLOR_BTNTEXT)},
      {win32::kAboutLabel5, "ZR 2-2006", L"MS Serif", -8, false, GetSysColor(COLOR_BTNSHADOW)},
      {win32::kAboutLabel1, "zr@example.org", L"MS Sans Serif", -11, false, RGB(0, 128, 0)},
      {win32::kAboutLabel2, "http://www.example.org/", L"MS Sans Serif", -11, false,
       RGB(0, 128, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    HWND label = Control(c.id);
    EXPECT_EQ(TextOf(label), c.text);
    const LOGFONTW font = FontOf(label);
    EXPECT_STREQ(font.lfFaceName, c.face);
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWeight >= FW_BOLD, c.bold);
    EXPECT_FALSE(font.lfUnderline);
    SendMessageW(GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(GetTextColor(dc), c.colour);
  }
  DeleteDC(dc);

  HWND ok = Control(win32::kAboutCommand1);
  EXPECT_EQ(TextOf(ok), "OK");
  EXPECT_EQ(GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_FALSE(IsWindowEnabled(Control(win32::kAboutImage2)));
  EXPECT_TRUE(IsWindowEnabled(Control(win32::kAboutImage1)));
}

BOOL CALLBACK CountAbout(HWND window, LPARAM count) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) == L"OrvandoAbout") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int AboutWindowsOpen() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountAbout, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(AboutWindowTest, ShowingAgainOpensNoSecondWindow) {
  HWND first = about.hwnd();
  for (int i = 0; i < 3; ++i) about.Show();
  Pump();
  EXPECT_EQ(about.hwnd(), first);
  EXPECT_EQ(AboutWindowsOpen(), 1);
  EXPECT_EQ(counter.open(), 1);
}

TEST_F(AboutWindowTest, EveryWayOfClosingUnloadsIt) {
  const std::function<void(AboutWin32&)> closers[] = {
      [](AboutWin32& w) { w.Unload(); },
      [](AboutWin32& w) { SendMessageW(w.Control(win32::kAboutCommand1), BM_CLICK, 0, 0); },
      [](AboutWin32& w) { SendMessageW(w.hwnd(), WM_CLOSE, 0, 0); },
  };
  for (const auto& close : closers) {
    about.Show();
    HWND window = about.hwnd();
    close(about);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(about.loaded());
    EXPECT_EQ(counter.open(), 0);
    about.Unload();  // nothing to unload: harmless
  }
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(AboutWindowTest, PointerUnderlinesTheLinkItIsOver) {
  struct Step {
    AboutControl over;  // 0: the window's background
    int x, y;           // twips in that control
    bool label1, label2, hand;
  } steps[] = {
      {win32::kAboutMail, 60, 60, true, false, false},
      {win32::kAboutLabel1, 300, 120, true, false, true},
      {win32::kAboutImage1, 240, 240, true, false, true},
      {AboutControl(0), 60, 1500, false, false, false},
      {win32::kAboutImage2, 500, 250, false, true, false},  // the banner is part of SiteZR
      {win32::kAboutLabel2, 300, 120, false, true, true},
      {win32::kAboutCommand1, 400, 180, false, true, false},
      {win32::kAboutSiteZR, 60, 60, false, true, false},
      {win32::kAboutMail, 2950, 60, true, true, false},  // straight from one link to the other
      {win32::kAboutFrame1, 200, 200, true, true, false},
      {AboutControl(0), 3600, 1200, false, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "over " << s.over << " at " << s.x << "," << s.y);
    PointerTo(s.over ? Control(s.over) : about.hwnd(), s.x, s.y, false);
    HWND label1 = Control(win32::kAboutLabel1), label2 = Control(win32::kAboutLabel2);
    EXPECT_TRUE(PumpUntil(
        [&] { return Underlined(label1) == s.label1 && Underlined(label2) == s.label2; }));
    const bool hand = GetCursor() == LoadCursorW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(104));  // IDC_POINTING_HAND
    EXPECT_EQ(hand, s.hand);
  }
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(AboutWindowTest, ANewLoadStartsWithNoUnderline) {
  PointerTo(Control(win32::kAboutMail), 60, 60, false);
  ASSERT_TRUE(PumpUntil([&] { return Underlined(Control(win32::kAboutLabel1)); }));
  about.Unload();
  about.Show();
  EXPECT_FALSE(Underlined(Control(win32::kAboutLabel1)));
  EXPECT_FALSE(Underlined(Control(win32::kAboutLabel2)));
}

TEST_F(AboutWindowTest, EachClickPlaceReachesTheShell) {
  const std::string mail = "mailto:zr@example.org?Subject=Orvando";
  const std::string site = "http://www.example.org/";
  struct Case {
    AboutControl place;
    int x, y;  // twips in that control
    std::string operation, text;
  } cases[] = {
      {win32::kAboutMail, 2950, 60, "Open", mail},  // the empty part of the area
      {win32::kAboutLabel1, 300, 120, "Open", mail},
      {win32::kAboutImage1, 240, 240, "Open", mail},
      {win32::kAboutSiteZR, 60, 300, "open", site},  // left of the banner
      {win32::kAboutLabel2, 300, 120, "open", site},
      {win32::kAboutImage2, 500, 250, "open", site},  // the disabled banner
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.place);
    shell.calls.clear();
    PointerTo(Control(c.place), c.x, c.y, true);
    EXPECT_TRUE(PumpUntil([&] { return !shell.calls.empty(); }));
    Pump();
    const FakeShell::Call expected{reinterpret_cast<std::uintptr_t>(about.hwnd()), c.operation,
                                   c.text};
    EXPECT_EQ(shell.calls, std::vector<FakeShell::Call>{expected});
  }
  EXPECT_TRUE(about.loaded());
}

}  // namespace
}  // namespace orvando::test
