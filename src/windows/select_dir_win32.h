#pragma once
// The installation window on screen: a fixed dialog frame with the drive list,
// the folder list, the folder's text, OK and Annuler. It shows SelectDir's
// state and passes the user's actions to its handlers.

#include <windows.h>

#include <vector>

#include "platform/win32/picture_win32.h"
#include "platform/win32/unique_handle_win32.h"
#include "platform/win32/window_win32.h"
#include "windows/select_dir.h"

namespace orvando::win32 {

class SelectDirWindow : public Window, public InstallWindowControl, public SelectDirView {
 public:
  // Control identifiers. OK and Annuler deliberately avoid IDOK and IDCANCEL:
  // neither is the window's Enter or Escape button.
  enum ControlId : int {
    kDrive1 = 1001,
    kDir1,
    kText1,
    kLabel1,
    kCommandOK,
    kCommandAnnuler,
    kImage1,
  };

  // `counter` counts this window among the program's own, so the program ends
  // when its last window closes.
  SelectDirWindow(SelectDir& core, WindowCounter* counter) : Window(counter), core_(core) {}
  static constexpr const wchar_t* kClassName = L"OrvandoSelectDir";
  ~SelectDirWindow() override;

  // Loads the window if needed (its load handler runs first) and makes it
  // visible; returns at once. The first start opens it once per run; to
  // change the folder it opens again each time it is asked for.
  void Show() override;
  void ShowToChange() override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Layout(UINT dpi) override;
  void OnDestroyed() override;

 private:
  bool Load(SelectDir::Mode mode);
  void Open(SelectDir::Mode mode);
  void OnCommand(int id, int code);
  void OpenSelectedFolder();
  HWND Item(int id) const { return GetDlgItem(hwnd(), id); }

  // SelectDirView: what the core shows.
  void ShowDrives(const std::vector<Drive>& drives) override;
  void ShowDrive(char letter) override;
  void ShowFolders(const std::vector<FolderEntry>& entries, size_t current) override;
  void SetText1(const std::string& text) override;
  void SetOkEnabled(bool enabled) override;
  void Unload() override;

  SelectDir& core_;
  std::vector<Drive> drives_;         // Drive1's lines
  std::vector<FolderEntry> folders_;  // Dir1's lines
  UniqueWindow owner_;                // hidden: keeps the window out of the task bar
  Picture image1_;
};

}  // namespace orvando::win32
