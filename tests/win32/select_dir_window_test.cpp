// The installation window on screen, under Wine: its frame, texts and
// rectangles, and the test for the station program against real folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "fake_messages.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/drives_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/folders_win32.h"
#include "platform/win32/text_win32.h"
#include "installation.h"
#include "support.h"

namespace orvando::test {
namespace {

using win32::Narrow;
using win32::SelectDirWindow;
using win32::Widen;

// The real files, with the program's folder where the test puts it.
class DiskFiles : public win32::Win32Files {
 public:
  explicit DiskFiles(std::string program_folder) : program_folder_(std::move(program_folder)) {}
  std::string ProgramFolder() const override { return program_folder_; }

 private:
  std::string program_folder_;
};

class StubMain : public MainWindowControl {
 public:
  void Hide() override { visible = false; }
  void Show() override { visible = true; }
  bool Unload() override {
    ++questions;
    return answer_yes;
  }
  bool visible = true, answer_yes = true;
  int questions = 0;
};

std::string ReadWhole(const std::string& path) {
  HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<absent>";
  char buffer[4096];
  DWORD n = 0;
  ReadFile(f, buffer, sizeof buffer, &n, nullptr);
  CloseHandle(f);
  return std::string(buffer, n);
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName, path = folder + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

// A scratch tree on drive C, with the settings file's folder beside it:
//   avec\heavy weather.exe          ordinary file
//   cache\heavy weather.exe         hidden
//   systeme\heavy weather.exe       system
//   dossier\heavy weather.exe\      a folder
//   sans\                           nothing
class SelectDirWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"orvando_selectdir_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(towupper(root_[0]), L'C');
    CreateDirectoryW(root_.c_str(), nullptr);
    for (const wchar_t* f : {L"prog", L"avec", L"cache", L"systeme", L"dossier", L"sans"})
      CreateDirectoryW((root_ + L"\\" + f).c_str(), nullptr);
    CreateDirectoryW((root_ + L"\\dossier\\heavy weather.exe").c_str(), nullptr);
    const std::pair<const wchar_t*, DWORD> files[] = {{L"avec", FILE_ATTRIBUTE_NORMAL},
                                                      {L"cache", FILE_ATTRIBUTE_HIDDEN},
                                                      {L"systeme", FILE_ATTRIBUTE_SYSTEM}};
    for (const auto& [folder, attributes] : files) {
      const std::wstring path = root_ + L"\\" + folder + L"\\heavy weather.exe";
      CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
      SetFileAttributesW(path.c_str(), attributes);
    }
    files_ = std::make_unique<DiskFiles>(Narrow(root_) + "\\prog");
    config_ = std::make_unique<I_Ofichier>(*files_, messages_);
  }
  void TearDown() override {
    window_.reset();
    SetCurrentDirectoryW(start_folder_.c_str());
    RemoveTree(root_);
  }

  // Opens the window with drive C's current folder on `c_folder` while the
  // process itself stands on `process_folder`.
  void Open(const std::wstring& c_folder, const std::wstring& process_folder) {
    // As the C runtime's _wchdir does: the folder is also its drive's own.
    for (const std::wstring& folder : {c_folder, process_folder}) {
      ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
      SetEnvironmentVariableW((L"=" + folder.substr(0, 2)).c_str(), folder.c_str());
    }
    window_ = std::make_unique<Installation>(main_, *config_, folders_, *files_, drives_);
    window_->Show();
    Pump();
    ASSERT_TRUE(window_->loaded());
  }
  HWND Item(int id) { return GetDlgItem(window_->hwnd(), id); }
  std::string Text(int id) {
    wchar_t text[512] = {};
    GetWindowTextW(Item(id), text, 512);
    return Narrow(text);
  }
  bool OkEnabled() { return IsWindowEnabled(Item(SelectDirWindow::kCommandOK)); }
  std::string ConfigFile() { return ReadWhole(config_->ConfigPath()); }

  // Opens the line named `name` in the folder list, as a double click does,
  // or with Enter.
  void OpenLine(const std::wstring& name, bool with_enter) {
    HWND dir1 = Item(SelectDirWindow::kDir1);
    const LRESULT line = SendMessageW(dir1, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_GE(line, 0) << Narrow(name);
    SendMessageW(dir1, LB_SETCURSEL, line, 0);
    if (with_enter)
      SendMessageW(dir1, WM_KEYDOWN, VK_RETURN, 0);
    else
      SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(SelectDirWindow::kDir1, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(dir1));
    Pump();
  }

  std::wstring root_;
  std::wstring start_folder_ = Widen(win32::Win32Folders().CurrentFolder());
  std::wstring z_folder_ = start_folder_[0] == L'C' ? L"Z:\\" : start_folder_;
  std::unique_ptr<DiskFiles> files_;
  FakeMessages messages_;
  std::unique_ptr<I_Ofichier> config_;
  win32::Win32Folders folders_;
  win32::Win32Drives drives_;
  StubMain main_;
  std::unique_ptr<Installation> window_;
};

TEST_F(SelectDirWindowTest, OnlyAnOrdinaryProgramFileEnablesOkAndWritesTheFile) {
  struct Case {
    const wchar_t* folder;
    bool with_enter;
    bool counts;
  };
  const Case cases[] = {{L"avec", false, true},
                        {L"cache", false, false},
                        {L"systeme", true, false},
                        {L"dossier", false, false},
                        {L"sans", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    DeleteFileW(Widen(config_->ConfigPath()).c_str());
    config_->CheminHW.clear();
    Open(root_, z_folder_);
    EXPECT_FALSE(main_.visible);
    EXPECT_EQ(Text(SelectDirWindow::kText1), Narrow(root_));
    EXPECT_FALSE(OkEnabled());

    OpenLine(c.folder, c.with_enter);

    const std::string folder = Narrow(root_ + L"\\" + c.folder);
    EXPECT_EQ(Text(SelectDirWindow::kText1), folder);
    // Browsed, not entered: the process stays where it stood.
    EXPECT_EQ(win32::Win32Folders().CurrentFolder(), Narrow(z_folder_));
    EXPECT_EQ(OkEnabled(), c.counts);
    EXPECT_EQ(ConfigFile(),
              c.counts
                  ? "\"NE PAS MODIFIER CE FICHIER\",\"Orvando station meteo ws-2300 ZR\"\r\n\"" +
                        folder + "\",0\r\n"
                  : "<absent>");
    window_.reset();
  }
}

TEST_F(SelectDirWindowTest, OpeningOnDriveCTestsNothingUntilTheFolderChanges) {
  Open(root_ + L"\\avec", root_ + L"\\avec");
  EXPECT_EQ(Text(SelectDirWindow::kText1), "");
  EXPECT_FALSE(OkEnabled());
  EXPECT_EQ(ConfigFile(), "<absent>");
  EXPECT_FALSE(main_.visible);

  OpenLine(L"orvando_selectdir_" + std::to_wstring(GetCurrentProcessId()), false);
  OpenLine(L"avec", false);
  EXPECT_TRUE(OkEnabled());
  SendMessageW(Item(SelectDirWindow::kCommandOK), BM_CLICK, 0, 0);
  EXPECT_FALSE(window_->loaded());
  EXPECT_TRUE(main_.visible);
  EXPECT_NE(ConfigFile(), "<absent>");
}

TEST_F(SelectDirWindowTest, CloseBoxAndAnnulerCloseOnlyAfterYes) {
  for (const bool close_box : {true, false}) {
    Open(root_, z_folder_);
    const int before = main_.questions;
    main_.answer_yes = false;
    if (close_box)
      SendMessageW(window_->hwnd(), WM_CLOSE, 0, 0);
    else
      SendMessageW(Item(SelectDirWindow::kCommandAnnuler), BM_CLICK, 0, 0);
    EXPECT_TRUE(window_->loaded());
    EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    main_.answer_yes = true;
    if (close_box)
      SendMessageW(window_->hwnd(), WM_CLOSE, 0, 0);
    else
      SendMessageW(Item(SelectDirWindow::kCommandAnnuler), BM_CLICK, 0, 0);
    EXPECT_FALSE(window_->loaded());
    EXPECT_EQ(main_.questions - before, 2);
  }
}

}  // namespace
}  // namespace orvando::test
