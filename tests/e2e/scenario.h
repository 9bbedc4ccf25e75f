#pragma once
// One end-to-end scenario: a folder of its own holding a copy of Orvando.exe
// (so its Orvando.cfg lives there) and the stand-in station in a subfolder,
// the program started from it, and a clean-up that leaves no process and no
// folder behind, whatever the scenario did.

#include <gtest/gtest.h>

#include <string>

#include "driver.h"
#include "install_window.h"

namespace orvando::test {

inline constexpr const wchar_t* kQuitQuestion = L"Arrêter le timer et quitter ?";
// Wine needs a moment to start a program; a loaded machine needs more.
inline constexpr int kStartMs = 20000;

// The settings file as Orvando writes it.
std::string WrittenConfig(const std::wstring& folder, int index);

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::wstring Folder() const { return folder_; }
  std::wstring StationFolder() const { return folder_ + L"\\Météo ws-2300"; }
  std::wstring ConfigPath() const { return folder_ + L"\\Orvando.cfg"; }
  std::wstring LogPath() const { return folder_ + L"\\station.log"; }
  std::wstring OrvandoExe() const { return folder_ + L"\\Orvando.exe"; }

  bool WriteConfig(const std::string& bytes) { return WriteBytes(ConfigPath(), bytes); }
  std::string ConfigBytes() const { return ReadBytes(ConfigPath()); }

  // Starts the copy in its folder; with a usable settings file present,
  // waits for the main window.
  bool StartOrvando();
  HWND WaitForMainWindow(int ms = kStartMs);
  // The window stays responsive: its clock moves on.
  bool ClockRuns(HWND main);
  // Closes the main window, answers the question Yes, and expects the
  // program to end cleanly.
  void QuitAnsweringYes(HWND main);

  Process orvando;
  HWND main = nullptr;

 private:
  std::wstring folder_;
};

}  // namespace orvando::test
