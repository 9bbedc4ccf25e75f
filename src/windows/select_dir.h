#pragma once
// SelectDir: the installation window. It asks for the folder of
// "heavy weather.exe"; each folder that holds the program becomes CheminHW and
// is written to the settings file at once. At the first start Annuler means
// "don't install" and asks the quit question; opened again from the menu to
// change the folder, it means "keep the folder I had". This is its behaviour;
// the window itself (select_dir_win32.h) only shows it and reports the user's
// actions.

#include <cstddef>
#include <array>
#include <string>
#include <vector>

#include "config/i_ofichier.h"
#include "windows/window_links.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "windows/select_dir_folders.h"

namespace orvando {

// What SelectDir shows. None of these calls reports a change back: only the
// user's own actions reach the handlers.
class SelectDirView {
 public:
  virtual ~SelectDirView() = default;
  virtual void ShowDrives(const std::vector<Drive>& drives) = 0;  // Drive1's list
  virtual void ShowDrive(char letter) = 0;                        // Drive1's selection; 0: none
  virtual void ShowFolders(const std::vector<FolderEntry>& entries, size_t current) = 0;  // Dir1
  virtual void SetText1(const std::string& text) = 0;
  virtual void SetOkEnabled(bool enabled) = 0;
  // Destroys the window; nothing when it is already gone.
  virtual void Unload() = 0;
};

class SelectDir {
 public:
  SelectDir(SelectDirView& view, MainWindowControl& main, I_Ofichier& config,
            const Folders& folders, Files& files, Drives& drives);

  enum class Mode {
    Install,  // the first start: no folder known yet
    Change,   // from the menu: the folder known is shown, and Annuler puts it back
  };
  // The window is being loaded and the main window is hidden. To install, or
  // to change a folder that no longer exists: the lists start on the
  // process's current drive and folder, then drive C is selected. To change:
  // the lists open at CheminHW, tested but not written.
  void Form_Load(Mode mode = Mode::Install);
  // The user picked `letter` in Drive1.
  void Drive1_Change(char letter);
  // The user opened `folder` in Dir1.
  void Dir1_Change(const std::string& folder);
  void CommandOK_Click();
  // Install: closes the main window (its quit question), then this one.
  // Change: puts back the folder the window opened with, CheminHW and the
  // file, closes this window and shows the main one.
  void CommandAnnuler_Click();
  // The close box: the same as Annuler.
  void Form_QueryUnload();

  char drive() const { return drive_; }
  const std::string& folder() const { return folder_; }
  bool ok_enabled() const { return ok_enabled_; }
  bool unloaded() const { return unloaded_; }

  static constexpr const char* kProgramFile = "heavy weather.exe";

 private:
  void OpenWhereTheProcessStands();
  bool PointDir1At(const std::string& folder);
  void FolderChanged();
  void SetOk(bool enabled);
  void Unload();

  SelectDirView& view_;
  MainWindowControl& main_;
  I_Ofichier& config_;
  const Folders& folders_;
  Files& files_;
  Drives& drives_;

  char drive_ = 0;                       // the drive Drive1 shows
  std::string folder_;                   // the folder Dir1 shows
  // Each drive's folder last shown, by its letter ('a' to 'z'); empty: none.
  std::array<std::string, 26> left_on_;
  std::string* LeftOn(char letter) {
    return letter >= 'a' && letter <= 'z' ? &left_on_[letter - 'a'] : nullptr;
  }
  bool ok_enabled_ = false;
  bool unloaded_ = false;
  bool asking_ = false;  // the main window's quit question is on screen
  Mode mode_ = Mode::Install;
  std::string opened_with_;  // CheminHW when the window opened
  bool rewritten_ = false;   // the file was written since
};

}  // namespace orvando
