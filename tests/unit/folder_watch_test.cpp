// Whether a run recorded anything: HeavyWeather's folder and its VirtualStore
// mirror, looked at as the run begins and before its close.
#include <gtest/gtest.h>

#include "fake_folders.h"
#include "station/folder_watch.h"

namespace orvando::test {
namespace {

const std::string kFolder = "C:\\Program Files (x86)\\HeavyWeather";
const std::string kMirror =
    "C:\\Users\\Jean\\AppData\\Local\\VirtualStore\\Program Files (x86)\\HeavyWeather";

TEST(FolderWatch_Recorded, ANewFileOrAChangedSizeOrTimeInEitherFolderButNotOrvandosOwn) {
  using Files = std::vector<FileStamp>;
  const Files data = {{"currdat.lst", 900, 10}, {"history.dat", 3600, 10}};
  struct Case {
    const char* name;
    Files folder, mirror;  // after the run; before it, `data` and no mirror
    bool recorded;
  };
  const Case cases[] = {
      {"no change", data, {}, false},
      {"a new file", {data[0], data[1], {"heavy.log", 10, 11}}, {}, true},
      {"a changed size", {data[0], {"history.dat", 3636, 10}}, {}, true},
      {"a changed time", {{"currdat.lst", 900, 11}, data[1]}, {}, true},
      {"only in the mirror", data, {{"history.dat", 36, 11}}, true},
      {"only Orvando's files",
       {data[0], data[1], {"Orvando.log", 80, 11}, {"ORVANDO.CFG", 87, 11}, {"orv1A2B.tmp", 0, 11}},
       {},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFolders folders;
    folders.existing = {kFolder};
    folders.files[kFolder] = data;
    folders.files[kMirror] = {};
    FolderWatch watch(folders);
    watch.Start(kFolder);
    folders.files[kFolder] = c.folder;
    folders.files[kMirror] = c.mirror;
    EXPECT_EQ(watch.Recorded(), c.recorded);
  }
}

}  // namespace
}  // namespace orvando::test
