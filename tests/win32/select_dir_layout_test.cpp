// The installation window's frame, place, texts and control rectangles, at
// the window's DPI (96 in the test prefix: 15 twips to a pixel).
#include <gtest/gtest.h>
#include <windows.h>

#include "fake_drives.h"
#include "fake_files.h"
#include "fake_folders.h"
#include "fake_messages.h"
#include "layout_checks.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"
#include "installation.h"

namespace orvando::test {
namespace {

using win32::SelectDirWindow;

class HiddenMain : public MainWindowControl {
 public:
  void Hide() override {}
  void Show() override {}
  bool Unload() override { return true; }
};

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

}  // namespace

void ExpectInstallWindowAsDesigned(int dpi) {
  FakeDrives drives;
  drives.AddFolder("C:\\Meteo");
  FakeFolders folders;
  folders.existing = {"C:\\", "C:\\Meteo"};
  FakeFiles files;  // no file anywhere
  FakeMessages messages;
  I_Ofichier config(files, messages);
  HiddenMain main;
  win32::WindowCounter counter;
  Installation window(main, config, folders, files, drives, &counter);
  window.Show();
  ASSERT_TRUE(window.loaded());
  HWND hwnd = window.hwnd();
  EXPECT_EQ(counter.open(), 1);

  EXPECT_EQ(TextOf(hwnd), L"Orvando           ..::  INSTALLATION  ::..");
  const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD));
  EXPECT_TRUE(ex_style & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(ex_style & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
  // Owned by a window that is never shown: no task-bar button.
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));

  ASSERT_EQ(win32::DpiOf(hwnd), static_cast<UINT>(dpi));
  const auto px = [dpi](int twips) { return win32::TwipsToPx(twips, static_cast<UINT>(dpi)); };
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  EXPECT_EQ(origin.x, px(45));
  EXPECT_EQ(origin.y, px(330));
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, px(4215));
  EXPECT_EQ(client.bottom, px(3405));

  struct Control {
    int id;
    const wchar_t* text;
    int left, top, width, height;
    bool enabled;
  };
  // In tab order; Label1 and Image1 take no focus.
  const Control controls[] = {
      {SelectDirWindow::kDrive1, nullptr, 2160, 240, 1935, 315, true},
      {SelectDirWindow::kDir1, nullptr, 120, 600, 3975, 1440, true},
      {SelectDirWindow::kText1, L"", 120, 2160, 3975, 615, true},
      {SelectDirWindow::kLabel1, L"Indiquer le dossier de Heavy Weather :", 600, 120, 1455, 375,
       true},
      {SelectDirWindow::kCommandOK, L"OK", 1080, 2880, 975, 375, false},
      {SelectDirWindow::kCommandAnnuler, L"Annuler", 2160, 2880, 975, 375, true},
      {SelectDirWindow::kImage1, nullptr, 120, 0, 480, 480, true},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.id);
    HWND control = GetDlgItem(hwnd, c.id);
    ASSERT_NE(control, nullptr);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, px(c.left));
    EXPECT_EQ(r.top, px(c.top));
    EXPECT_EQ(r.right - r.left, px(c.width));
    EXPECT_EQ(r.bottom - r.top, px(c.height));
    if (c.text) {
      EXPECT_EQ(TextOf(control), c.text);
    }
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled);
  }
  EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(hwnd, SelectDirWindow::kLabel1), GWL_STYLE) & SS_CENTER);

  // Tab order, and no Enter or Escape button.
  const int tab_order[] = {SelectDirWindow::kDrive1, SelectDirWindow::kDir1,
                           SelectDirWindow::kText1, SelectDirWindow::kCommandAnnuler};
  HWND at = GetDlgItem(hwnd, tab_order[0]);
  for (int id : tab_order) {
    EXPECT_EQ(GetDlgCtrlID(at), id);
    at = GetNextDlgTabItem(hwnd, at, FALSE);
  }
  for (int id : {SelectDirWindow::kCommandOK, SelectDirWindow::kCommandAnnuler}) {
    EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(hwnd, id), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_NE(id, IDOK);
    EXPECT_NE(id, IDCANCEL);
  }
  EXPECT_EQ(GetDlgItem(hwnd, IDOK), nullptr);
  EXPECT_EQ(GetDlgItem(hwnd, IDCANCEL), nullptr);

  // Drive C selected at load, its folder list opened on C:'s current folder.
  EXPECT_EQ(TextOf(GetDlgItem(hwnd, SelectDirWindow::kDrive1)), L"c: [Système]");
  EXPECT_EQ(SendDlgItemMessageW(hwnd, SelectDirWindow::kDir1, LB_GETCOUNT, 0, 0), 2);
}

namespace {

TEST(SelectDirWindow_Layout, FrameTextsAndRectanglesAsDesigned) {
  ExpectInstallWindowAsDesigned(96);
}

}  // namespace
}  // namespace orvando::test
