#pragma once
// A fixture for driving OuvrFermHW against the real stand-in station under
// Wine: a private folder holding a copy of "heavy weather.exe", its log, the
// Win32 platform objects, and a clean-up that leaves no station running.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fake_files.h"
#include "fake_messages.h"
#include "history/history.h"
#include "station_extras.h"
#include "support.h"
#include "platform/win32/alarm_win32.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/folders_win32.h"
#include "platform/win32/station_win32.h"
#include "platform/win32/text_win32.h"
#include "station/ouvr_ferm_hw.h"

namespace orvando::test {

inline std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t start = 0;
  for (size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ' ') {
      words.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  return words;
}

// The real station platform, counting the close requests it posts.
struct CountingStation : win32::Win32Station {
  bool PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                    int64_t lparam) override {
    ++posts;
    return Win32Station::PostToWindow(window, message, wparam, lparam);
  }
  size_t posts = 0;
};

class StationFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = fs::path(temp) / (L"orvando station " + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(root_);
    fs::create_directories(Folder());
    ASSERT_TRUE(CopyFileW(WinePath(ORVANDO_STATION_EXE).c_str(),
                          (Folder() / L"heavy weather.exe").c_str(), FALSE));
    chemin = win32::Narrow(Folder().wstring());
    SetEnvironmentVariableW(L"ORVANDO_STATION_LOG", LogPath().c_str());
    SetEnvironmentVariableW(L"ORVANDO_STATION_LIFETIME_MS", L"60000");
    Mode(L"normal");
  }

  void TearDown() override {
    // No station may outlive the test, whatever it did to its windows.
    for (const auto& line : LogLines()) {
      const auto words = Words(line);
      if (words.size() != 2 || words[0] != "start") continue;
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::stoul(words[1]));
      if (!process) continue;
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, 9);
        WaitForSingleObject(process, 5000);
      }
      CloseHandle(process);
    }
    SetCurrentDirectoryW(L"C:\\");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // A folder name beyond ASCII and with spaces, as a French user may have.
  fs::path Folder() const { return root_ / L"Météo et stations"; }
  fs::path Root() const { return root_; }
  std::wstring LogPath() const { return (root_ / L"station.log").wstring(); }
  void Mode(const wchar_t* mode) { SetEnvironmentVariableW(L"ORVANDO_STATION_MODE", mode); }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(fs::path(LogPath()), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  // The lines whose first word is `event`.
  std::vector<std::string> Events(const std::string& event) const {
    std::vector<std::string> found;
    for (const auto& line : LogLines()) {
      if (Words(line)[0] == event) found.push_back(line);
    }
    return found;
  }

  // Runs messages until the launch or the close under way is over.
  static bool Settle(const OuvrFermHW& hw, int ms = 70000) {
    return PumpUntil([&] { return hw.Waiting() == OuvrFermHW::Wait::None; }, ms);
  }

  // The station control over this desktop, telling `x`.
  OuvrFermHW::Links Links(StationExtras& x, StationTimings timings = {}) {
    return LinksTo(x.notices, x.history, x.signal, timings);
  }
  OuvrFermHW::Links LinksTo(Notices& notices, History& history, SignalDeVie& signal,
                            StationTimings timings = {}) {
    return {chemin, folders, station, alarm, clock, notices, history, signal, timings};
  }

  // Lets events run until the log holds `line`, or `ms` have passed.
  bool WaitForLine(const std::string& line, int ms = 10000) {
    return PumpUntil(
        [&] {
          for (const auto& l : LogLines()) {
            if (l == line) return true;
          }
          return false;
        },
        ms);
  }

  static double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
      return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
  }

  fs::path root_;
  std::string chemin;
  win32::Win32Folders folders;
  CountingStation station;
  win32::Win32Alarm alarm;
  win32::Win32Clock clock;
  FakeMessages messages;
  StationExtras extras{clock, messages};
};

}  // namespace orvando::test
