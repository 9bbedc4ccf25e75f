// A first start without Orvando.cfg: the installation window, driven as a
// user would (pick the drive, open folders in the list down to the station's
// one), writes the file, and OK brings up the main window.
#include "install_window.h"
#include "scenario.h"

namespace orvando::test {
namespace {

class E2e_FirstStart : public Scenario {};

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
