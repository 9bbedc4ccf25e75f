#include "scenario.h"

#include <filesystem>

namespace orvando::test {

namespace fs = std::filesystem;

std::string WrittenConfig(const std::wstring& folder, int index) {
  return "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"\r\n\"" +
         Ansi(folder) + "\"," + std::to_string(index) + "\r\n";
}

void Scenario::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::wstring name = Widen(std::string(test->test_suite_name()) + "." + test->name());
  for (auto& c : name) c = c == L'/' ? L'_' : c;  // parameterised names
  folder_ = WinePath(ORVANDO_E2E_WORK) + L"\\" + name;
  std::error_code ignored;
  fs::remove_all(fs::path(folder_), ignored);
  ASSERT_TRUE(fs::create_directories(fs::path(StationFolder())));
  ASSERT_TRUE(CopyFileW(WinePath(ORVANDO_EXE).c_str(), OrvandoExe().c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(WinePath(ORVANDO_STATION_EXE).c_str(),
                        (StationFolder() + L"\\heavy weather.exe").c_str(), FALSE));
  // Orvando passes its environment on to the station it starts.
  SetEnvironmentVariableW(L"ORVANDO_STATION_LOG", LogPath().c_str());
  SetEnvironmentVariableW(L"ORVANDO_STATION_LIFETIME_MS", L"60000");
  SetEnvironmentVariableW(L"ORVANDO_STATION_MODE", L"normal");
}

void Scenario::TearDown() {
  orvando.Terminate();
  TerminateStations(ReadLines(LogPath()));
  // A read-only file would not go with its folder.
  SetFileAttributesW(ConfigPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::error_code ignored;
  fs::remove_all(fs::path(folder_), ignored);
}

bool Scenario::StartOrvando() {
  return orvando.Start(OrvandoExe(), Folder());
}

HWND Scenario::WaitForMainWindow(int ms) {
  main = nullptr;
  WaitFor([&] { return (main = FindMainWindow(orvando.pid())) != nullptr; }, ms);
  return main;
}

bool Scenario::ClockRuns(HWND window) {
  HWND clock = ClockLabel(window);
  if (!clock) return false;
  const std::wstring before = TextOf(clock);
  return WaitFor([&] { return TextOf(clock) != before; }, 3000);
}

void Scenario::QuitAnsweringYes(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  HWND box = WaitForMessageBox(orvando.pid());
  ASSERT_TRUE(box) << "no quit question";
  EXPECT_EQ(MessageText(box), kQuitQuestion);
  ASSERT_TRUE(AnswerYes(box));
  DWORD code = 1;
  ASSERT_TRUE(orvando.WaitForExit(10000, &code)) << "still running after Yes";
  EXPECT_EQ(code, 0u);
}

}  // namespace orvando::test
