// A first start without Orvando.cfg: the installation window, driven as a
// user would (pick the drive, open folders in the list down to the station's
// one), writes the file, and OK brings up the main window.
#include <cwctype>

#include "scenario.h"

namespace orvando::test {
namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring ItemText(HWND list, int index, UINT get_text) {
  wchar_t text[MAX_PATH * 2] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutW(list, get_text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 3000, &n);
  return text;
}

LPARAM ItemCentre(HWND list, int index) {
  RECT r{};
  SendMessageTimeoutW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&r), SMTO_ABORTIFHUNG, 3000, nullptr);
  return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The folder list as a user works it: a double click on a line, or a click
// on it and then Enter.
void OpenLine(HWND list, int index, bool with_enter) {
  const LPARAM at = ItemCentre(list, index);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  if (with_enter) {
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(list, WM_KEYUP, VK_RETURN, 0xC0000001);
  } else {
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
}

// The line below the current folder that names `child`; -1 when none.
int SubfolderLine(HWND list, const std::wstring& child) {
  DWORD_PTR current = 0, count = 0;
  SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &current);
  SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
  for (int i = static_cast<int>(current) + 1; i < static_cast<int>(count); ++i)
    if (Lower(ItemText(list, i, LB_GETTEXT)) == Lower(child)) return i;
  return -1;
}

class E2e_FirstStart : public Scenario {
 protected:
  // Picks the drive of `folder` in the drive list by typing its letter.
  void PickDrive(HWND install, wchar_t letter) {
    HWND drives = Children(install, L"ComboBox").at(0);
    PostMessageW(drives, WM_CHAR, letter, 1);
    ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(FolderText(install))).front() == letter; }))
        << "drive " << char(letter)
        << " not picked; folder shown: " << Narrow(TextOf(FolderText(install)));
  }

  // Opens the root of the drive shown, then each folder down to `target`,
  // alternating double clicks and Enter.
  void OpenFolder(HWND install, const std::wstring& target) {
    HWND list = Children(install, L"ListBox").at(0);
    HWND text = FolderText(install);
    std::wstring shown = target.substr(0, 3);  // "Z:\"
    OpenLine(list, 0, false);
    ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(text)) == Lower(shown); }))
        << "root not opened: " << Narrow(TextOf(text));
    bool with_enter = true;
    for (size_t at = 3; at < target.size();) {
      size_t end = target.find(L'\\', at);
      if (end == std::wstring::npos) end = target.size();
      const std::wstring name = target.substr(at, end - at);
      shown = target.substr(0, end);
      const int line = SubfolderLine(list, name);
      ASSERT_GE(line, 0) << "no line for " << Narrow(name);
      OpenLine(list, line, with_enter);
      ASSERT_TRUE(WaitFor([&] { return Lower(TextOf(text)) == Lower(shown); }))
          << "not opened: " << Narrow(shown) << (with_enter ? " (Enter)" : " (double click)")
          << "; shown: " << Narrow(TextOf(text));
      with_enter = !with_enter;
      at = end + 1;
    }
  }

  static HWND FolderText(HWND install) { return Children(install, L"Edit").at(0); }
};

TEST_F(E2e_FirstStart, InstallationWritesTheFileAndOkShowsTheMainWindow) {
  ASSERT_TRUE(StartOrvando());
  HWND install = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (install = FindTopWindow(orvando.pid(), kInstallTitle)); }, kStartMs))
      << "no installation window";
  HWND hidden_main = FindMainWindow(orvando.pid(), false);
  ASSERT_TRUE(hidden_main);
  EXPECT_FALSE(IsWindowVisible(hidden_main));
  HWND ok = FindChild(install, L"Button", L"OK");
  ASSERT_TRUE(ok);
  EXPECT_FALSE(IsWindowEnabled(ok));
  EXPECT_EQ(GetFileAttributesW(ConfigPath().c_str()), INVALID_FILE_ATTRIBUTES)
      << "a file before any folder was chosen";

  PickDrive(install, L'z');
  OpenFolder(install, StationFolder());
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(ok) != 0; })) << "OK stays disabled";
  // Written as soon as the folder holds the station, before OK.
  const std::string written = WrittenConfig(StationFolder(), 0);
  EXPECT_TRUE(WaitFor([&] { return ConfigBytes() == written; })) << ConfigBytes();

  Click(ok);
  ASSERT_TRUE(WaitForMainWindow());
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(install); })) << "installation window still open";
  EXPECT_TRUE(IsChecked(OptionButton(main, L"15 mn")));
  for (const wchar_t* other : {L"30 mn", L"1 h", L"3 h", L"6 h"})
    EXPECT_FALSE(IsChecked(OptionButton(main, other))) << Narrow(other);
  EXPECT_EQ(TextOf(StartStopButton(main)), L"Start");
  EXPECT_TRUE(ClockRuns(main));
  EXPECT_EQ(ConfigBytes(), written);
  EXPECT_FALSE(FindMessageBox(orvando.pid()));
  QuitAnsweringYes(main);
}

}  // namespace
}  // namespace orvando::test
