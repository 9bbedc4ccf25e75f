// The notice under Wine: shown without waiting and without taking the
// keyboard, one window however many events come, centred when it opens,
// sized to its text at its DPI, gone with OK.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "layout_checks.h"
#include "support.h"
#include "platform/win32/messages_win32.h"
#include "platform/win32/text_win32.h"
#include "windows/notice_win32.h"

namespace orvando::test {
namespace {

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

using win32::NoticeWindow;

const std::wstring kParagraphs =
    L"À 03:04 : Impossible de lancer « C:\\HeavyWeather\\heavy weather.exe » : Fichier "
    L"introuvable.\n\nCe message remplace les 2 précédents ; le premier date de 03:00.\n\nFin.";

auto InParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return std::tuple(r.left, r.top, r.right, r.bottom);
}

// How many lines the control's text takes at its width in its own font,
// wrapped as a reader would: word by word, each paragraph on a new line. An
// oracle of its own, apart from the drawing the window measures with.
int LinesNeeded(HWND text) {
  wchar_t shown[1024] = {};
  GetWindowTextW(text, shown, 1024);
  RECT r;
  GetClientRect(text, &r);
  const win32::WindowDc dc(text);
  const win32::ScopedSelect font(dc.get(),
                                 reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
  const auto width = [&](const std::wstring& line) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &extent);
    return extent.cx;
  };
  int lines = 0;
  std::wstring paragraph, line;
  std::wistringstream paragraphs(shown);
  while (std::getline(paragraphs, paragraph)) {
    ++lines;
    line.clear();
    std::wistringstream words(paragraph);
    for (std::wstring word; words >> word;) {
      const std::wstring longer = line.empty() ? word : line + L" " + word;
      if (!line.empty() && width(longer) > r.right) {
        ++lines;
        line = word;
      } else {
        line = longer;
      }
    }
  }
  return lines;
}

int LineHeight(HWND text) {
  const win32::WindowDc dc(text);
  const win32::ScopedSelect font(dc.get(),
                                 reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight;
}

auto FaceAndHeight(HWND control) {
  const LOGFONTW font = FontOf(control);
  return std::tuple(std::wstring(font.lfFaceName), font.lfHeight);
}

// One line and paragraphs at 96 DPI, paragraphs moved to a 144 DPI screen:
// centred when it opens, the text as tall as it needs (the icon's height at
// least), OK under it at the right, both in the house's 8 points at the DPI.
TEST(NoticeWindow_Layout, CentredTextAsTallAsItNeedsAndOkUnderItAtEachDpi) {
  const std::pair<int, std::wstring> cases[] = {
      {96, L"À 03:06 : court"}, {96, kParagraphs}, {144, kParagraphs}};
  for (const auto& [dpi, text] : cases) {
    NoticeWindow notice;
    notice.Show(text);
    EXPECT_TRUE(CentredOnWorkArea(notice.hwnd())) << "not centred when it opens";
    RECT suggested{0, 0, 900, 400};
    if (dpi != 96)
      SendMessageW(notice.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    HWND label = GetDlgItem(notice.hwnd(), NoticeWindow::kText);
    HWND ok = GetDlgItem(notice.hwnd(), NoticeWindow::kOk);
    // Every line shown whole, and not a line more (a pixel of rounding aside).
    const int needed = px(180) + std::max(px(480), LinesNeeded(label) * LineHeight(label));
    const auto [left, top, right, bottom] = InParent(label);
    EXPECT_EQ(std::tuple(left, top, right), std::tuple(px(840), px(180), px(6240))) << dpi;
    EXPECT_GE(bottom, needed) << dpi << ": a line is cut";
    EXPECT_LE(bottom, needed + 1) << dpi;
    EXPECT_EQ(text == kParagraphs, bottom > px(660)) << dpi << ": only paragraphs outgrow the icon";
    EXPECT_EQ(InParent(GetDlgItem(notice.hwnd(), NoticeWindow::kIcon)),
              std::tuple(px(180), px(180), px(660), px(660)));
    EXPECT_EQ(InParent(ok), std::tuple(px(5115), bottom + px(180), px(5115) + px(1125),
                                       bottom + px(180) + px(345)))
        << dpi;
    for (HWND control : {label, ok})
      EXPECT_EQ(FaceAndHeight(control), std::tuple(L"MS Sans Serif", -MulDiv(8, dpi, 72))) << dpi;
  }
}

// Started by Windows: an error at start-up waits for nobody.
struct Messages {
  win32::Window owner;  // never shown: the boxes have no owner
  win32::NoticeWindow notice;
  win32::Win32Messages messages{notice, owner};
};

TEST(Win32Messages_Notice, HeldErrorsGoToTheNotice) {
  Messages boxes;
  win32::Win32Messages& messages = boxes.messages;
  messages.HoldErrors();
  messages.ShowError("Impossible d'enregistrer le fichier « C:\\Orvando\\Orvando.cfg ».");
  EXPECT_FALSE(messages.NoticeShown());
  messages.ShowHeldErrors();
  EXPECT_TRUE(messages.NoticeShown());
}

TEST(Win32Messages_Notice, ReplacesItsTextInOneWindowAndLeavesTheKeyboardAlone) {
  // The user's own program, in front and typing.
  HWND user = CreateWindowW(L"STATIC", L"Autre programme", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            300, 200, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(user);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == user; }, 2000))
      << "the test could not take the focus";

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
  RECT opened, replaced;
  GetWindowRect(notice, &opened);

  messages.ShowNotice("À 03:06 : court");
  EXPECT_LT(Height(notice), long_height) << "not sized to its text";
  GetWindowRect(notice, &replaced);
  EXPECT_EQ(std::pair(replaced.left, replaced.top), std::pair(opened.left, opened.top))
      << "moved by a new text";

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
