#include "windows/select_dir.h"

namespace orvando {

SelectDir::SelectDir(SelectDirView& view, MainWindowControl& main, I_Ofichier& config,
                     const Folders& folders, Files& files, Drives& drives)
    : view_(view),
      main_(main),
      config_(config),
      folders_(folders),
      files_(files),
      drives_(drives) {}

void SelectDir::Form_Load(Mode mode) {
  mode_ = mode;
  unloaded_ = false;
  opened_with_ = config_.CheminHW;
  rewritten_ = false;
  view_.ShowDrives(drives_.List());
  const bool at_known_folder =
      mode == Mode::Change && !opened_with_.empty() && PointDir1At(opened_with_);
  if (at_known_folder) {
    // Where the program is now: OK at once while it is still there.
    drive_ = DriveOf(folder_);
    view_.ShowDrive(drive_);
    view_.SetText1(folder_);
    SetOk(files_.IsOrdinaryFile(JoinPath(folder_, kProgramFile)));
  } else {
    OpenWhereTheProcessStands();
  }
  main_.Hide();
  if (!at_known_folder && drive_ != 'c') {
    view_.ShowDrive('c');
    Drive1_Change('c');
  }
}

// Before anything else the lists show where the process stands; that is not
// a change, so nothing is tested yet.
void SelectDir::OpenWhereTheProcessStands() {
  const std::string current = folders_.CurrentFolder();
  drive_ = DriveOf(current);
  view_.ShowDrive(drive_);
  if (!PointDir1At(current)) {
    folder_ = current;
    size_t index = 0;
    view_.ShowFolders(ListFolder(current, {}, index), index);
  }
  view_.SetText1("");
  SetOk(false);
}

void SelectDir::Drive1_Change(char letter) {
  if (unloaded_ || letter == drive_) return;
  // A drive that can't be read (no medium) leaves Dir1 where it is. Drive1
  // goes back to Dir1's drive, so that the two lists never disagree and the
  // next folder change works on the drive it shows.
  // Back where the list left it on that drive, unless that folder is gone
  // since (HeavyWeather moved or uninstalled): then the drive's own.
  const std::string* left = LeftOn(letter);
  const bool back = drives_.IsReadable(letter) && left && !left->empty() && PointDir1At(*left);
  if (!back && (!drives_.IsReadable(letter) || !PointDir1At(drives_.CurrentFolderOf(letter)))) {
    view_.ShowDrive(drive_);
    return;
  }
  drive_ = letter;
  FolderChanged();
}

void SelectDir::Dir1_Change(const std::string& folder) {
  if (unloaded_ || SameFolder(folder, folder_)) return;
  // A folder that vanished since it was listed: Dir1 is read again where it
  // stands, and nothing else changes.
  if (!PointDir1At(folder)) {
    PointDir1At(folder_);
    return;
  }
  drive_ = DriveOf(folder_);
  view_.ShowDrive(drive_);
  FolderChanged();
}

void SelectDir::CommandOK_Click() {
  if (!ok_enabled_ || unloaded_ || asking_) return;
  Unload();
  main_.Show();
  config_.EcrireConfig();
}

void SelectDir::CommandAnnuler_Click() {
  if (unloaded_ || asking_) return;
  if (mode_ == Mode::Change) {
    config_.CheminHW = opened_with_;
    if (rewritten_) config_.EcrireConfig();
    Unload();
    main_.Show();
    return;
  }
  // The quit question runs a message loop of its own: clicks on this window
  // meanwhile must not start a second one, nor unload it under our feet.
  asking_ = true;
  const bool main_unloaded = main_.Unload();
  asking_ = false;
  // After No the main window stays hidden: this window stays open, or the
  // program would run on with nothing on screen.
  if (main_unloaded) Unload();
}

void SelectDir::Form_QueryUnload() {
  CommandAnnuler_Click();
}

bool SelectDir::PointDir1At(const std::string& folder) {
  std::vector<std::string> subfolders;
  if (!drives_.Subfolders(folder, subfolders)) return false;
  size_t current = 0;
  std::vector<FolderEntry> entries = ListFolder(folder, subfolders, current);
  if (entries.empty()) return false;
  folder_ = folder;
  view_.ShowFolders(entries, current);
  return true;
}

// The folder of Dir1 changed: show it, and look there for the station
// program as an ordinary file. The process's current folder stays where it
// is: a folder browsed here must stay free to be renamed or deleted.
void SelectDir::FolderChanged() {
  view_.SetText1(folder_);
  std::string full;
  if (!folders_.FullFolder(folder_, full)) {
    SetOk(false);
    return;
  }
  if (std::string* left = LeftOn(drive_)) *left = full;  // back on this drive, it opens here
  if (!files_.IsOrdinaryFile(JoinPath(full, kProgramFile))) {
    SetOk(false);  // CheminHW and the file keep the last folder that held it
    return;
  }
  SetOk(true);
  config_.CheminHW = full;
  config_.EcrireConfig();
  rewritten_ = true;
}

void SelectDir::SetOk(bool enabled) {
  ok_enabled_ = enabled;
  view_.SetOkEnabled(enabled);
}

void SelectDir::Unload() {
  unloaded_ = true;
  view_.Unload();
}

}  // namespace orvando
