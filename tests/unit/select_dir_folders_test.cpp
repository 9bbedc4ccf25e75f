// The folder list's lines and the path rules the installation window uses.
#include <gtest/gtest.h>

#include "windows/select_dir_folders.h"

namespace orvando::test {
namespace {

TEST(SelectDirFolders_ListFolder, OpensDownToTheFolderThenListsItsSubfolders) {
  struct Line {
    std::string name, path;
    int depth;
    bool open;
  };
  struct Case {
    std::string folder;
    std::vector<std::string> subfolders;
    std::vector<Line> lines;
    size_t current;
  };
  const Case cases[] = {
      {"C:\\", {"Meteo"}, {{"C:\\", "C:\\", 0, true}, {"Meteo", "C:\\Meteo", 1, false}}, 0},
      {"C:\\Meteo\\Station",
       {"Data"},
       {{"C:\\", "C:\\", 0, true},
        {"Meteo", "C:\\Meteo", 1, true},
        {"Station", "C:\\Meteo\\Station", 2, true},
        {"Data", "C:\\Meteo\\Station\\Data", 3, false}},
       2},
      {"d:\\Meteo\\", {}, {{"d:\\", "d:\\", 0, true}, {"Meteo", "d:\\Meteo", 1, true}}, 1},
      {"\\\\serveur\\partage\\hw",
       {},
       {{"\\\\serveur\\partage\\", "\\\\serveur\\partage\\", 0, true},
        {"hw", "\\\\serveur\\partage\\hw", 1, true}},
       1},
      {"Meteo\\Station", {"x"}, {}, 0},
      {"", {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    size_t current = 99;
    const auto entries = ListFolder(c.folder, c.subfolders, current);
    ASSERT_EQ(entries.size(), c.lines.size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].name, c.lines[i].name);
      EXPECT_EQ(entries[i].path, c.lines[i].path);
      EXPECT_EQ(entries[i].depth, c.lines[i].depth);
      EXPECT_EQ(entries[i].open, c.lines[i].open);
    }
    EXPECT_EQ(current, c.current);
  }
}

TEST(SelectDirFolders_Paths, CompareAndJoinAsWindowsDoes) {
  EXPECT_TRUE(SameFolder("C:\\Meteo", "c:\\METEO\\"));
  EXPECT_TRUE(SameFolder("C:\\", "c:\\"));
  EXPECT_FALSE(SameFolder("C:\\", "C:\\Meteo"));
  EXPECT_FALSE(SameFolder("C:\\Meteo", "D:\\Meteo"));
  EXPECT_EQ(JoinPath("C:\\", "heavy weather.exe"), "C:\\heavy weather.exe");
  EXPECT_EQ(JoinPath("C:\\Meteo", "heavy weather.exe"), "C:\\Meteo\\heavy weather.exe");
  EXPECT_EQ(DriveOf("C:\\Meteo"), 'c');
  EXPECT_EQ(DriveOf("\\\\serveur\\partage"), 0);
}

}  // namespace
}  // namespace orvando::test
