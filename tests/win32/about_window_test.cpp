// The About window under Wine: its look at 96 DPI, its lifetime, and the
// pointer and clicks routed from the real controls to the shell.

#include "windows/about_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "fake_shell.h"
#include "layout_checks.h"
#include "platform/win32/text_win32.h"
#include "support.h"

namespace orvando::test {
namespace {

using win32::AboutControl;
using win32::AboutWin32;

std::string TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return win32::Narrow(buffer);
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

// The real pointer, moved and clicked as a user does.
//
// Under Wine a move is carried out asynchronously: the X server reports the
// pointer's motion back a little later, and a report that comes late (after
// the next move) puts the pointer back where it was before. A button pressed
// at once may then be handled at the previous place, and an effect looked at
// at once may be the previous place's. So a move counts as done only once the
// pointer has settled where it was sent: the system says it is there, and the
// mouse messages this thread takes from its queue have been there, and only
// there, for a while longer than Wine keeps a position of its own before
// asking X. Should a late report move it back meanwhile, the pointer is put
// where it was sent again. Nothing is pressed or looked at before.
class RealPointer {
 public:
  RealPointer()
      : hook_(SetWindowsHookExW(WH_MOUSE, &RealPointer::Seen, nullptr, GetCurrentThreadId())) {
    seen_ = target_ = kNowhere;
    reached_ = false;
  }
  ~RealPointer() { UnhookWindowsHookEx(hook_); }
  RealPointer(const RealPointer&) = delete;
  RealPointer& operator=(const RealPointer&) = delete;

  // To a point given in twips in a window's client area (15 twips per pixel
  // at 96 DPI); `window` null: a point of the screen, in pixels, where no
  // window of this thread sees it. False when it did not settle there.
  bool MoveTo(HWND window, int x, int y) {
    POINT at{x, y};
    if (window) {
      at = {x / 15, y / 15};
      ClientToScreen(window, &at);
    }
    const auto there = [&] {
      POINT now{};
      GetCursorPos(&now);
      return Same(now, at) && (!window || Same(seen_, at));
    };
    target_ = at;
    reached_ = false;
    Send(at);
    ULONGLONG since = 0;  // when it was last found there
    return PumpUntil([&] {
      if (!there()) {
        // It got there, then somewhere else: a late report moved it back.
        if (std::exchange(reached_, false) || since != 0) Send(at);
        since = 0;
        return false;
      }
      if (since == 0) since = GetTickCount64();
      return GetTickCount64() - since >= kSettleMs;
    });
  }

  // Presses and lets go of the left button where the pointer is.
  void Click() {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
  }

 private:
  // Wine answers GetCursorPos from its own record for 100 ms after a change,
  // and asks the X server after that.
  static constexpr ULONGLONG kSettleMs = 150;
  static constexpr POINT kNowhere{-1, -1};

  static bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

  static void Send(POINT at) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
  }

  // Where the last mouse message this thread took from its queue was, and
  // whether one was where the pointer was sent.
  static LRESULT CALLBACK Seen(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
      seen_ = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lparam)->pt;
      reached_ = reached_ || Same(seen_, target_);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static inline POINT seen_ = kNowhere, target_ = kNowhere;
  static inline bool reached_ = false;
  HHOOK hook_;
};

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Away from the window, which a pointer left at the screen's centre
    // would otherwise underline as it appears under it.
    ASSERT_TRUE(pointer.MoveTo(nullptr, 0, 0));
    about.Show();
    ASSERT_TRUE(about.loaded());
    ASSERT_EQ(GetDpiForWindow(about.hwnd()), 96u) << "these tests expect a 96 DPI screen";
    Pump();
  }
  HWND Control(AboutControl id) const { return about.Control(id); }

  FakeShell shell;
  win32::WindowCounter counter;
  AboutWin32 about{core, &counter};
  About core{about, shell};
  RealPointer pointer;
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
  EXPECT_TRUE(CentredOnWorkArea(about.hwnd()));
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
      {win32::kAboutLabel3, "V 1.30", L"MS Sans Serif", -13, false, GetSysColor(COLOR_BTNTEXT)},
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
    ASSERT_TRUE(pointer.MoveTo(s.over ? Control(s.over) : about.hwnd(), s.x, s.y));
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
  ASSERT_TRUE(pointer.MoveTo(Control(win32::kAboutMail), 60, 60));
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
    ASSERT_TRUE(pointer.MoveTo(Control(c.place), c.x, c.y));
    pointer.Click();
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
