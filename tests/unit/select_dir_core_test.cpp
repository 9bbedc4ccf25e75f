// The installation window's behaviour against fakes: when OK is enabled, when
// CheminHW and the settings file change, and how the window leaves.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "fake_drives.h"
#include "fake_files.h"
#include "fake_folders.h"
#include "fake_messages.h"
#include "windows/select_dir.h"

namespace orvando::test {
namespace {

class FakeView : public SelectDirView {
 public:
  void ShowDrives(const std::vector<Drive>& d) override { drives = d; }
  void ShowDrive(char letter) override { drive = letter; }
  void ShowFolders(const std::vector<FolderEntry>& e, size_t current) override {
    entries = e;
    folder = e.at(current).path;
  }
  void SetText1(const std::string& text) override { text1 = text; }
  void SetOkEnabled(bool enabled) override { ok = enabled; }
  void Unload() override {
    unloaded = true;
    log->push_back("unload install");
  }

  std::vector<Drive> drives;
  char drive = '?';
  std::vector<FolderEntry> entries;
  std::string folder, text1 = "?";
  bool ok = true, unloaded = false;
  std::vector<std::string>* log = nullptr;
};

class FakeMain : public MainWindowControl {
 public:
  void Hide() override { log->push_back("hide main"); }
  void Show() override { log->push_back("show main"); }
  bool Unload() override {
    log->push_back("unload main");
    if (during_question) during_question();
    return answer_yes;
  }
  bool answer_yes = true;
  std::function<void()> during_question;
  std::vector<std::string>* log = nullptr;
};

const char* const kMeteo = "C:\\Meteo";
const char* const kProgram = "C:\\Meteo\\heavy weather.exe";

struct Rig {
  Rig() : config(files, messages), select(view, main, config, folders, files, drives) {
    view.log = main.log = &log;
    for (const char* f : {"C:\\Meteo", "C:\\Temp", "C:\\Meteo\\Vieux", "Z:\\build"}) AddFolder(f);
    folders.current = "Z:\\build";
  }
  void AddFolder(const std::string& path) {
    drives.AddFolder(path);
    for (const auto& [folder, subs] : drives.tree) folders.existing.insert(folder);
  }

  FakeDrives drives;
  FakeFolders folders;
  FakeFiles files;
  FakeMessages messages;
  FakeView view;
  FakeMain main;
  std::vector<std::string> log;
  I_Ofichier config;
  SelectDir select;
};

TEST(SelectDir_Load, TestsAFolderOnlyWhenDriveCIsAChange) {
  struct Case {
    const char* name;
    std::string process_folder;  // where the process stands at load
    std::string c_folder;        // drive C's current folder
    bool program_there;
    bool ok;
    std::string text1, chemin;
    size_t writes;
  };
  const Case cases[] = {
      {"already on C: nothing tested", kMeteo, kMeteo, true, false, "", "", 0},
      {"from Z: to a folder with the program", "Z:\\build", kMeteo, true, true, kMeteo, kMeteo, 1},
      {"from Z: to a folder without it", "Z:\\build", "C:\\Temp", false, false, "C:\\Temp", "", 0},
      {"from Z: to the root holding it", "Z:\\build", "C:\\", true, true, "C:\\", "C:\\", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.folders.current = c.process_folder;
    rig.drives.current['c'] = c.c_folder;
    if (c.program_there) rig.files.files[JoinPath(c.c_folder, "heavy weather.exe")];

    rig.select.Form_Load();

    EXPECT_EQ(rig.log.at(0), "hide main");
    EXPECT_EQ(rig.view.drive, 'c');
    EXPECT_EQ(rig.view.folder, c.c_folder);
    EXPECT_EQ(rig.view.ok, c.ok);
    EXPECT_EQ(rig.view.text1, c.text1);
    EXPECT_EQ(rig.config.CheminHW, c.chemin);
    EXPECT_EQ(rig.files.replaced.size(), c.writes);
    EXPECT_EQ(rig.view.drives.size(), rig.drives.drives.size());
  }
}

TEST(SelectDir_FolderChange, LeavingTheProgramsFolderKeepsCheminHWAndTheFile) {
  Rig rig;
  rig.files.files[kProgram];
  rig.select.Form_Load();  // C:\ without the program

  rig.select.Dir1_Change(kMeteo);
  ASSERT_TRUE(rig.view.ok);
  EXPECT_EQ(rig.select.folder(), kMeteo);
  const std::string written = rig.files.replaced.at(0);
  EXPECT_NE(written.find("\"C:\\Meteo\",0\r\n"), std::string::npos);

  rig.select.Dir1_Change("C:\\Meteo\\Vieux");
  EXPECT_FALSE(rig.view.ok);
  EXPECT_EQ(rig.view.text1, "C:\\Meteo\\Vieux");
  EXPECT_EQ(rig.select.folder(), "C:\\Meteo\\Vieux");
  EXPECT_EQ(rig.config.CheminHW, kMeteo);
  EXPECT_EQ(rig.files.replaced.size(), 1u);

  rig.select.CommandAnnuler_Click();
  EXPECT_TRUE(rig.view.unloaded);
  EXPECT_EQ(rig.files.Content(rig.config.ConfigPath()), written);
}

TEST(SelectDir_Ok, UnloadsShowsTheMainWindowAndWritesTheSameContentAgain) {
  Rig rig;
  rig.drives.current['c'] = kMeteo;
  rig.files.files[kProgram];
  rig.select.Form_Load();
  rig.log.clear();

  rig.select.CommandOK_Click();

  EXPECT_EQ(rig.log, (std::vector<std::string>{"unload install", "show main"}));
  ASSERT_EQ(rig.files.replaced.size(), 2u);
  EXPECT_EQ(rig.files.replaced[1], rig.files.replaced[0]);
}

TEST(SelectDir_Ok, DoesNothingWhileDisabled) {
  Rig rig;
  rig.select.Form_Load();
  rig.log.clear();
  rig.select.CommandOK_Click();
  EXPECT_TRUE(rig.log.empty());
  EXPECT_TRUE(rig.files.replaced.empty());
}

TEST(SelectDir_Annuler, ClosesOnlyWhenTheMainWindowWentToo) {
  struct Case {
    bool close_box, answer_yes, unloaded;
  };
  for (const Case c : {Case{false, true, true}, Case{false, false, false}, Case{true, true, true},
                       Case{true, false, false}}) {
    SCOPED_TRACE(testing::Message() << "close box " << c.close_box << ", yes " << c.answer_yes);
    Rig rig;
    rig.select.Form_Load();
    rig.log.clear();
    rig.main.answer_yes = c.answer_yes;

    c.close_box ? rig.select.Form_QueryUnload() : rig.select.CommandAnnuler_Click();

    EXPECT_EQ(rig.view.unloaded, c.unloaded);
    EXPECT_EQ(rig.log.at(0), "unload main");
    EXPECT_EQ(rig.log.size(), c.unloaded ? 2u : 1u);
  }
}

TEST(SelectDir_Annuler, ClicksDuringTheQuitQuestionAreIgnored) {
  Rig rig;
  rig.drives.current['c'] = kMeteo;
  rig.files.files[kProgram];
  rig.select.Form_Load();
  rig.log.clear();
  rig.main.answer_yes = false;
  rig.main.during_question = [&rig] {
    rig.select.CommandAnnuler_Click();
    rig.select.Form_QueryUnload();
    rig.select.CommandOK_Click();
  };

  rig.select.CommandAnnuler_Click();

  EXPECT_EQ(rig.log, std::vector<std::string>{"unload main"});
  EXPECT_FALSE(rig.view.unloaded);
  rig.main.during_question = nullptr;
  rig.select.CommandOK_Click();  // the window still works afterwards
  EXPECT_TRUE(rig.view.unloaded);
}

// Opened from the menu to change the folder: at CheminHW when it is still
// there, tested but not written; as at the first start when it is gone.
TEST(SelectDir_Change, OpensAtTheKnownFolderOrAsAtTheFirstStart) {
  struct Case {
    const char* name;
    bool folder_there, program_there;
    char drive;
    std::string folder, text1;
    bool ok;
  };
  const Case cases[] = {
      {"holding the program", true, true, 'd', "D:\\Station", "D:\\Station", true},
      {"without the program", true, false, 'd', "D:\\Station", "D:\\Station", false},
      {"gone", false, false, 'c', "C:\\", "C:\\", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    if (c.folder_there) rig.AddFolder("D:\\Station");
    if (c.program_there) rig.files.files["D:\\Station\\heavy weather.exe"];
    rig.config.CheminHW = "D:\\Station";

    rig.select.Form_Load(SelectDir::Mode::Change);

    EXPECT_EQ(rig.log, std::vector<std::string>{"hide main"});
    EXPECT_EQ(rig.view.drive, c.drive);
    EXPECT_EQ(rig.view.folder, c.folder);
    EXPECT_EQ(rig.view.text1, c.text1);
    EXPECT_EQ(rig.view.ok, c.ok);
    EXPECT_EQ(rig.config.CheminHW, "D:\\Station");
    EXPECT_TRUE(rig.files.replaced.empty());
  }
}

// Annuler (or the close box) means "keep the folder I had": CheminHW and the
// file go back to it, and nothing is asked. OK keeps the new folder.
TEST(SelectDir_Change, AnnulerPutsTheFolderBackOkKeepsTheNewOne) {
  enum How { kAnnuler, kCloseBox, kOk };
  struct Case {
    How how;
    std::string chemin;
  };
  for (const Case& c :
       {Case{kAnnuler, "D:\\Station"}, Case{kCloseBox, "D:\\Station"}, Case{kOk, kMeteo}}) {
    SCOPED_TRACE(c.how);
    Rig rig;
    rig.AddFolder("D:\\Station");
    rig.files.files["D:\\Station\\heavy weather.exe"];
    rig.files.files[kProgram];
    rig.config.CheminHW = "D:\\Station";
    ASSERT_TRUE(rig.config.EcrireConfig());
    const std::string before = rig.files.replaced.back();
    rig.select.Form_Load(SelectDir::Mode::Change);
    rig.select.Dir1_Change(kMeteo);  // written at once
    ASSERT_EQ(rig.config.CheminHW, kMeteo);
    rig.log.clear();

    if (c.how == kAnnuler) rig.select.CommandAnnuler_Click();
    if (c.how == kCloseBox) rig.select.Form_QueryUnload();
    if (c.how == kOk) rig.select.CommandOK_Click();

    EXPECT_EQ(rig.log, (std::vector<std::string>{"unload install", "show main"}));
    EXPECT_EQ(rig.config.CheminHW, c.chemin);
    EXPECT_EQ(rig.files.Content(rig.config.ConfigPath()) == before, c.how != kOk);
    EXPECT_NE(rig.files.Content(rig.config.ConfigPath()).find("\"" + c.chemin + "\""),
              std::string::npos);
  }
}

TEST(SelectDir_Drive, AnUnreadableDriveLeavesBothListsOnTheFolderShown) {
  for (const bool no_medium : {true, false}) {
    SCOPED_TRACE(no_medium ? "no medium" : "folder list unreadable");
    Rig rig;
    rig.drives.current['c'] = kMeteo;
    rig.files.files[kProgram];
    rig.select.Form_Load();
    if (no_medium) rig.drives.empty.insert('a');  // otherwise A:\ is simply not in the tree
    const auto entries = rig.view.entries;

    rig.select.Drive1_Change('a');

    EXPECT_EQ(rig.view.drive, 'c');
    EXPECT_EQ(rig.select.drive(), 'c');
    EXPECT_EQ(rig.view.entries.size(), entries.size());
    EXPECT_EQ(rig.view.folder, kMeteo);
    EXPECT_EQ(rig.view.text1, kMeteo);
    EXPECT_TRUE(rig.view.ok);
    EXPECT_EQ(rig.files.replaced.size(), 1u);
    EXPECT_TRUE(rig.messages.errors.empty());

    rig.select.Dir1_Change("C:\\Temp");  // and the next folder change works
    EXPECT_EQ(rig.select.folder(), "C:\\Temp");
    EXPECT_FALSE(rig.view.ok);
  }
}

// A drive opens at its current folder, and again where the list left it.
TEST(SelectDir_Drive, PointsTheFolderListAtTheDrivesCurrentFolder) {
  Rig rig;
  rig.select.Form_Load();
  rig.select.Dir1_Change("C:\\Meteo\\Vieux");
  rig.select.Drive1_Change('z');
  EXPECT_EQ(rig.view.folder, "Z:\\");  // the fake's Z: has no current folder of its own
  EXPECT_EQ(rig.view.text1, "Z:\\");
  rig.drives.current['c'] = "C:\\Temp";
  rig.select.Drive1_Change('c');
  EXPECT_EQ(rig.view.folder, "C:\\Meteo\\Vieux");
  // Gone since (HeavyWeather uninstalled): the drive's own current folder.
  rig.select.Drive1_Change('z');
  rig.drives.tree.erase("C:\\Meteo\\Vieux");
  rig.select.Drive1_Change('c');
  EXPECT_EQ(rig.view.folder, "C:\\Temp");
}

TEST(SelectDir_FolderChange, AFolderThatVanishedChangesNothing) {
  Rig rig;
  rig.drives.current['c'] = kMeteo;
  rig.files.files[kProgram];
  rig.select.Form_Load();
  rig.select.Dir1_Change("C:\\Meteo\\Parti");
  EXPECT_EQ(rig.view.folder, kMeteo);
  EXPECT_EQ(rig.select.folder(), kMeteo);
  EXPECT_TRUE(rig.view.ok);
  EXPECT_EQ(rig.files.replaced.size(), 1u);
}

TEST(SelectDir_FolderChange, AFolderThatCannotBeMadeCurrentCountsAsWithoutTheProgram) {
  Rig rig;
  rig.drives.current['c'] = kMeteo;
  rig.files.files[kProgram];
  rig.files.files["C:\\Temp\\heavy weather.exe"];
  rig.select.Form_Load();
  rig.folders.existing.erase("C:\\Temp");  // listed, but entering it fails
  rig.select.Dir1_Change("C:\\Temp");
  EXPECT_EQ(rig.view.text1, "C:\\Temp");
  EXPECT_FALSE(rig.view.ok);
  EXPECT_EQ(rig.config.CheminHW, kMeteo);
  EXPECT_EQ(rig.files.replaced.size(), 1u);
}

}  // namespace
}  // namespace orvando::test
