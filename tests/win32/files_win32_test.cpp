// Win32Files on a real file system (Wine's): what counts as the settings
// file, and that a replace that cannot happen leaves the old file whole.
#include "platform/win32/files_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "config/i_ofichier.h"
#include "fake_messages.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/unique_handle_win32.h"

namespace orvando::win32 {
namespace {

// A fresh folder under the temporary folder, removed with all it holds.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"orvando-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64());
    EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
  }
  ~TempFolder() { Remove(path_); }
  std::string Path(const std::string& name = "") const {
    return Narrow(path_) + (name.empty() ? "" : "\\" + name);
  }
  int Count() const { return static_cast<int>(NamesIn(path_).size()); }

 private:
  static std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) return names;
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find.get(), &data));
    return names;
  }
  static void Remove(const std::wstring& folder) {
    for (const auto& name : NamesIn(folder)) {
      const std::wstring full = folder + L"\\" + name;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(full.c_str())) Remove(full);
    }
    RemoveDirectoryW(folder.c_str());
  }
  std::wstring path_;
};

void Put(const std::string& path, const std::string& bytes) {
  Win32Files files;
  ASSERT_TRUE(files.ReplaceAtomically(path, bytes)) << path;
}

std::string Get(const std::string& path) {
  Win32Files files;
  std::string bytes;
  return files.ReadBytes(path, bytes) ? bytes : "<unreadable>";
}

TEST(Win32Files_ProgramFolder, RootKeepsItsSeparator) {
  EXPECT_EQ(FolderOfModule(L"C:\\Orvando.exe"), "C:\\");
  EXPECT_EQ(FolderOfModule(L"C:\\Program Files\\Orvando\\Orvando.exe"),
            "C:\\Program Files\\Orvando");
  EXPECT_EQ(FolderOfModule(L"\\\\serveur\\partage\\Orvando.exe"), "\\\\serveur\\partage");
  const std::string folder = Win32Files().ProgramFolder();
  EXPECT_NE(folder.back(), '\\');
  EXPECT_NE(GetFileAttributesW(Widen(folder + "\\win32_tests.exe").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST(Win32Files_IsOrdinaryFile, HiddenSystemAndFoldersDontCount) {
  const std::pair<DWORD, bool> cases[] = {
      {FILE_ATTRIBUTE_NORMAL, true},
      {FILE_ATTRIBUTE_READONLY, true},
      {FILE_ATTRIBUTE_HIDDEN, false},
      {FILE_ATTRIBUTE_SYSTEM, false},
  };
  for (const auto& [attributes, ordinary] : cases) {
    TempFolder folder;
    const std::string path = folder.Path("Orvando.cfg");
    EXPECT_FALSE(Win32Files().IsOrdinaryFile(path));
    Put(path, "x");
    SetFileAttributesW(Widen(path).c_str(), attributes);
    EXPECT_EQ(Win32Files().IsOrdinaryFile(path), ordinary) << attributes;
  }
  TempFolder folder;
  CreateDirectoryW(Widen(folder.Path("Orvando.cfg")).c_str(), nullptr);
  EXPECT_FALSE(Win32Files().IsOrdinaryFile(folder.Path("Orvando.cfg")));
}

TEST(Win32Files_Replace, ReplacesAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.Path("Orvando.cfg");
  Put(path, "ancien");
  Put(path, std::string("nouveau\0\r\n", 10));
  EXPECT_EQ(Get(path), std::string("nouveau\0\r\n", 10));
  EXPECT_EQ(folder.Count(), 1);
  // A doubled separator, as at the root of a drive, names the same file.
  EXPECT_TRUE(Win32Files().IsOrdinaryFile(folder.Path("\\Orvando.cfg")));
  Put(folder.Path("\\Orvando.cfg"), "racine");
  EXPECT_EQ(Get(path), "racine");
}

TEST(Win32Files_Replace, FailureNamesTheFileAndKeepsItWhole) {
  const char* cases[] = {"lecture seule", "ouvert sans partage", "dossier"};
  for (const std::string which : cases) {
    SCOPED_TRACE(which);
    TempFolder folder;
    const std::string path = folder.Path("Orvando.cfg");
    UniqueHandle holder;
    if (which == "dossier") {
      CreateDirectoryW(Widen(path).c_str(), nullptr);
    } else {
      Put(path, "ancien");
    }
    if (which == "lecture seule") SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
    if (which == "ouvert sans partage") {
      holder.reset(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder);
    }
    const Outcome outcome = Win32Files().ReplaceAtomically(path, "nouveau");
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.error.rfind("Impossible d'enregistrer le fichier « " + path + " » : ", 0), 0u)
        << outcome.error;
    EXPECT_EQ(folder.Count(), 1);
    holder.reset();
    if (which != "dossier") {
      EXPECT_EQ(Get(path), "ancien");
    }
  }
}

TEST(Win32Files_Ansi, ExactOrNothing) {
  if (GetACP() != 1252) GTEST_SKIP() << "the French code page 1252 is expected here";
  const std::pair<std::string, const char*> cases[] = {
      {"C:\\Météo", "C:\\M\xE9t\xE9o"}, {"€ Œ", "\x80 \x8C"}, {"", ""},
      {"C:\\Станция", nullptr},         {"ā", nullptr},  // no best fit to "a"
  };
  Win32Files files;
  for (const auto& [utf8, ansi] : cases) {
    std::string out = "?";
    EXPECT_EQ(files.ToAnsi(utf8, out), ansi != nullptr) << utf8;
    if (ansi) {
      EXPECT_EQ(out, ansi);
      EXPECT_EQ(files.FromAnsi(ansi), utf8);
    }
  }
}

// A folder whose name the code page cannot spell is stored under its short
// name, and that name reads back as the same folder.
TEST(Win32Files_ShortPath, NonAnsiFolderRoundTripsThroughTheFile) {
  struct FolderFiles : Win32Files {
    std::string folder;
    std::string ProgramFolder() const override { return folder; }
  };
  TempFolder temp;
  FolderFiles files;
  files.folder = temp.Path();
  test::FakeMessages messages;
  I_Ofichier config(files, messages);
  const std::string station = temp.Path("Станция météo");
  ASSERT_TRUE(CreateDirectoryW(Widen(station).c_str(), nullptr));
  config.CheminHW = station;
  ASSERT_TRUE(config.EcrireConfig()) << (messages.errors.empty() ? "" : messages.errors[0]);
  std::string ansi;
  EXPECT_TRUE(files.ToAnsi(config.CheminHW, ansi));
  config.CheminHW.clear();
  EXPECT_EQ(config.LireConfig(), I_Ofichier::ReadOutcome::Read);
  const DWORD attributes = GetFileAttributesW(Widen(config.CheminHW).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
  wchar_t buffer[MAX_PATH];
  ASSERT_NE(GetLongPathNameW(Widen(config.CheminHW).c_str(), buffer, MAX_PATH), 0u);
  EXPECT_EQ(Narrow(buffer), station);
}

}  // namespace
}  // namespace orvando::win32
