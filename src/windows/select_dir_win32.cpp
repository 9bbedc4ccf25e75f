#include "windows/select_dir_win32.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"
#include "windows/select_dir_draw_win32.h"
#include "resource_ids.h"

namespace orvando::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr UINT kSyncDrive1 = WM_APP + 1;

// The client area's place on the screen and its size, in twips.
constexpr int kClientLeft = 45, kClientTop = 330, kClientWidth = 4215, kClientHeight = 3405;

// In tab order: creation order is the order Tab moves through.
constexpr ControlSpec kControls[] = {
    {SelectDirWindow::kDrive1,
     0,
     L"COMBOBOX",
     "",
     CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
     0,
     {2160, 240, 1935, 315}},
    {SelectDirWindow::kDir1,
     0,
     L"LISTBOX",
     "",
     LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
         LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {120, 600, 3975, 1440}},
    {SelectDirWindow::kText1,
     0,
     L"EDIT",
     "",
     ES_AUTOHSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {120, 2160, 3975, 615}},
    {SelectDirWindow::kLabel1,
     0,
     L"STATIC",
     "Indiquer le dossier de Heavy Weather :",
     SS_CENTER,
     0,
     {600, 120, 1455, 375}},
    {SelectDirWindow::kCommandOK,
     0,
     L"BUTTON",
     "OK",
     BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED,
     0,
     {1080, 2880, 975, 375}},
    {SelectDirWindow::kCommandAnnuler,
     0,
     L"BUTTON",
     "Annuler",
     BS_PUSHBUTTON | WS_TABSTOP,
     0,
     {2160, 2880, 975, 375}},
    {SelectDirWindow::kImage1, 0, nullptr, "", 0, 0, {120, 0, 480, 480}},
};

// Tab and Shift+Tab move between the controls even when the message loop
// does not pass this window's keys through IsDialogMessage.
LRESULT CALLBACK TabKeys(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                         DWORD_PTR) {
  if (message == WM_KEYDOWN && wparam == VK_TAB) {
    const bool back = GetKeyState(VK_SHIFT) < 0;
    if (HWND next = GetNextDlgTabItem(GetParent(control), control, back)) SetFocus(next);
    return 0;
  }
  if (message == WM_CHAR && wparam == L'\t') return 0;
  return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

SelectDirWindow::~SelectDirWindow() {
  // Destroyed through the ordinary path, so the counter and the owner are
  // looked after before the base class runs.
  Unload();
}

void SelectDirWindow::Show() {
  // The first start's window, once closed, stays closed.
  if (core_.unloaded()) return;
  Open(SelectDir::Mode::Install);
}

void SelectDirWindow::ShowToChange() {
  Open(SelectDir::Mode::Change);
}

void SelectDirWindow::Open(SelectDir::Mode mode) {
  if (!loaded() && !Load(mode)) return;
  ShowWindow(hwnd(), SW_SHOW);
  SetFocus(Item(kDrive1));
}

bool SelectDirWindow::Load(SelectDir::Mode mode) {
  // An owned window has no task-bar button; the owner itself is never shown.
  owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
  if (!Create({.class_name = kClassName,
               .title = "Orvando           ..::  INSTALLATION  ::..",
               .style = kStyle,
               .ex_style = kExStyle,
               .parent = owner_.get(),
               .width = kClientWidth,
               .height = kClientHeight,
               .place = WindowArgs::Place::At,
               .at = {kClientLeft, kClientTop}})) {
    return false;
  }
  core_.Form_Load(mode);
  return loaded();
}

void SelectDirWindow::Layout(UINT dpi) {
  const bool fresh = !Item(kDrive1);
  LayOut(kControls, dpi);
  if (fresh) {
    for (const ControlSpec& spec : kControls) {
      if (spec.style & WS_TABSTOP) SetWindowSubclass(Item(spec.id), &TabKeys, 0, 0);
    }
  }
  // A combo box's height is that of its open list; its closed field is sized
  // through the field's item height instead.
  HWND drive1 = Item(kDrive1);
  const RECT field = ToPixels(kControls[0].rect, dpi);
  SetWindowPos(drive1, nullptr, field.left, field.top, field.right - field.left,
               (field.bottom - field.top) * 8, SWP_NOZORDER | SWP_NOACTIVATE);
  // The field's frame differs between systems (and Wine's reading of the
  // height is not what was set): adjust the value we set until it fits.
  const int wanted = field.bottom - field.top;
  LRESULT item = SendMessageW(drive1, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int pass = 0; pass < 4; ++pass) {
    RECT shown;
    GetWindowRect(drive1, &shown);
    const int off = wanted - static_cast<int>(shown.bottom - shown.top);
    if (off == 0 || item + off < 1) break;
    item += off;
    SendMessageW(drive1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
  SendMessageW(Item(kDir1), LB_SETITEMHEIGHT, 0, FolderLineHeight(dpi));
  image1_.SetIcon(LoadIconAt(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUESTION_MARK),
                             TwipsToPx(480, dpi)));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT SelectDirWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      image1_.CreateChild(hwnd(), kImage1, true, nullptr);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_VKEYTOITEM:  // keys in Dir1: Enter opens the folder under the cursor
      if (LOWORD(wparam) == VK_RETURN) {
        OpenSelectedFolder();
        return -2;
      }
      return -1;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = FolderLineHeight(LaidOutDpi());
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlID == kDir1 && item->itemID < folders_.size())
        DrawFolderLine(*item, folders_[item->itemID], LaidOutDpi());
      return TRUE;
    }
    case kSyncDrive1:
      if (!core_.unloaded()) ShowDrive(core_.drive());
      return 0;
    case WM_CLOSE:  // the close box, Alt+F4 or the system menu: as Annuler
      core_.Form_QueryUnload();
      return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void SelectDirWindow::OnDestroyed() {
  owner_.reset();
}

void SelectDirWindow::OnCommand(int id, int code) {
  if (id == kDrive1 && code == CBN_SELCHANGE) {
    const LRESULT index = SendMessageW(Item(kDrive1), CB_GETCURSEL, 0, 0);
    if (index >= 0 && static_cast<size_t>(index) < drives_.size())
      core_.Drive1_Change(drives_[static_cast<size_t>(index)].letter);
    // The list may still be closing with the user's pick: show the drive the
    // folder list is on once it has.
    PostMessageW(hwnd(), kSyncDrive1, 0, 0);
  } else if (id == kDir1 && code == LBN_DBLCLK) {
    OpenSelectedFolder();
  } else if (id == IDOK && GetFocus() == Item(kDir1)) {
    OpenSelectedFolder();  // Enter, when the message loop runs IsDialogMessage
  } else if (id == kCommandOK && code == BN_CLICKED) {
    core_.CommandOK_Click();
  } else if (id == kCommandAnnuler && code == BN_CLICKED) {
    core_.CommandAnnuler_Click();
  }
}

void SelectDirWindow::OpenSelectedFolder() {
  const LRESULT index = SendMessageW(Item(kDir1), LB_GETCURSEL, 0, 0);
  if (index >= 0 && static_cast<size_t>(index) < folders_.size())
    core_.Dir1_Change(std::string(folders_[static_cast<size_t>(index)].path));
}

void SelectDirWindow::ShowDrives(const std::vector<Drive>& drives) {
  drives_ = drives;
  HWND drive1 = Item(kDrive1);
  SendMessageW(drive1, CB_RESETCONTENT, 0, 0);
  for (const Drive& drive : drives_)
    SendMessageW(drive1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(drive.name).c_str()));
}

void SelectDirWindow::ShowDrive(char letter) {
  WPARAM index = static_cast<WPARAM>(-1);
  for (size_t i = 0; i < drives_.size(); ++i)
    if (drives_[i].letter == letter) index = i;
  SendMessageW(Item(kDrive1), CB_SETCURSEL, index, 0);
}

void SelectDirWindow::ShowFolders(const std::vector<FolderEntry>& entries, size_t current) {
  folders_ = entries;
  HWND dir1 = Item(kDir1);
  SendMessageW(dir1, WM_SETREDRAW, FALSE, 0);
  SendMessageW(dir1, LB_RESETCONTENT, 0, 0);
  for (const FolderEntry& entry : folders_)
    SendMessageW(dir1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry.name).c_str()));
  SendMessageW(dir1, LB_SETCURSEL, current, 0);
  SendMessageW(dir1, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(dir1, nullptr, TRUE);
}

void SelectDirWindow::SetText1(const std::string& text) {
  SetWindowTextW(Item(kText1), Widen(text).c_str());
}

void SelectDirWindow::SetOkEnabled(bool enabled) {
  EnableWindow(Item(kCommandOK), enabled);
}

void SelectDirWindow::Unload() {
  Destroy();
}

}  // namespace orvando::win32
