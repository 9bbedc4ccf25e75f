// Before Windows 10 1607 the per-monitor DPI functions are missing: every
// window then stands at its twips at the system DPI, in the system's frame.
// With them, a window that opens on a screen of another scale than the
// system's stands at that screen's DPI.
#include <gtest/gtest.h>

#include "fake_shell.h"
#include "layout_checks.h"
#include "platform/win32/dyn_calls_win32.h"
#include "windows/about_win32.h"

namespace orvando::test {
namespace {

UINT WINAPI SystemAt96() {
  return 96;
}
UINT WINAPI WindowAt144(HWND) {
  return 144;
}
// The frame as this screen draws it: Wine's stays at the system's DPI.
BOOL WINAPI FrameAsDrawn(RECT* rect, DWORD style, BOOL menu, DWORD ex_style, UINT) {
  return AdjustWindowRectEx(rect, style, menu, ex_style);
}

TEST(Dpi_Fallback, WindowsAtTheirTwipsAtTheirOwnDpi) {
  // Windows 7 at the test's 96 DPI and at 120; Windows 10 with the window on
  // a 144 DPI screen while the system's is 96.
  win32::NewerApi windows10;
  windows10.GetDpiForWindow = WindowAt144;
  windows10.GetDpiForSystem = SystemAt96;
  windows10.AdjustWindowRectExForDpi = FrameAsDrawn;
  for (const int dpi : {96, 120, 144}) {
    SCOPED_TRACE(dpi);
    win32::NewerApi windows7;  // none of the newer functions
    windows7.screen_dpi = static_cast<UINT>(dpi);
    win32::ScopedNewerApi as_on_that_system(dpi == 144 ? windows10 : windows7);
    ExpectMainWindowAsDesigned(dpi);
    ExpectInstallWindowAsDesigned(dpi);

    struct {
      FakeShell shell;
      win32::AboutWin32 window{core, nullptr};
      About core{window, shell};
    } pair;
    win32::AboutWin32& about = pair.window;
    about.Show();
    RECT client, ok, expected = Px(1320, 2760, 975, 375, dpi);
    GetClientRect(about.hwnd(), &client);
    EXPECT_EQ(client.right, MulDiv(3630, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(3225, dpi, 1440));
    GetWindowRect(about.Control(win32::kAboutCommand1), &ok);
    MapWindowPoints(nullptr, about.hwnd(), reinterpret_cast<POINT*>(&ok), 2);
    EXPECT_TRUE(EqualRect(&ok, &expected))
        << ok.left << "," << ok.top << " " << ok.right << "," << ok.bottom;
  }
}

}  // namespace
}  // namespace orvando::test
