// Whether a run recorded anything: HeavyWeather's folder and its VirtualStore
// mirror, looked at as the run begins and once it has ended.
#include <gtest/gtest.h>

#include "fake_folders.h"
#include "station/folder_watch.h"

namespace orvando::test {
namespace {

const std::string kFolder = "C:\\Program Files (x86)\\HeavyWeather";
const std::string kMirror =
    "C:\\Users\\Jean\\AppData\\Local\\VirtualStore\\Program Files (x86)\\HeavyWeather";

using Files = std::vector<FileStamp>;
using Verdict = FolderWatch::Verdict;

// 450 exports named before the station's files, which the listing's bound
// would hide.
Files ManyExports(const FileStamp& history) {
  Files files;
  for (int i = 0; i < 450; ++i)
    files.push_back({"2025-" + std::to_string(1000 + i) + ".csv", 1, 1});
  files.push_back(history);
  return files;
}

TEST(FolderWatch_Verdict, WhatChangedInEitherFolderAndWhetherItCouldBeLooked) {
  const Files data = {{"currdat.lst", 900, 10}, {"history.dat", 3600, 10}};
  const Files grown = {data[0], {"history.dat", 3636, 10}};
  const Files exports = ManyExports(data[1]);
  struct Case {
    const char* name;
    Files before, after, mirror;  // the folder before and after the run; the mirror after it
    std::string spoiled;          // "<folder|mirror|gone> <start|end>": not listed then
    Verdict verdict;
  };
  // clang-format off
  const Case cases[] = {
      {"no change", data, data, {}, "", Verdict::Nothing},
      {"a new file", data, {data[0], data[1], {"heavy.log", 10, 11}}, {}, "", Verdict::Recorded},
      {"a changed size", data, grown, {}, "", Verdict::Recorded},
      {"rewritten at the same size", data, {{"currdat.lst", 900, 11}, data[1]}, {}, "",
       Verdict::Recorded},
      {"only in the mirror, made during the run", data, data, {{"history.dat", 36, 11}}, "",
       Verdict::Recorded},
      {"only Orvando's files", data, {data[0], data[1], {"Orvando.log", 80, 11},
       {"ORVANDO.CFG", 87, 11}, {"Orvando.ini", 40, 11}, {"orv1A2B.tmp", 0, 11}}, {}, "",
       Verdict::Nothing},
      {"history.dat behind 450 exports, grown", exports, ManyExports(grown[1]), {}, "",
       Verdict::Recorded},
      {"history.dat behind 450 exports, as it was", exports, exports, {}, "", Verdict::Nothing},
      {"the folder unreadable at the start", data, grown, {}, "folder start", Verdict::Unknown},
      {"the folder unreadable at the end", data, grown, {}, "folder end", Verdict::Unknown},
      {"the mirror unreadable at the end", data, grown, {}, "mirror end", Verdict::Unknown},
      {"the folder gone at the end", data, {}, {}, "gone end", Verdict::Unknown},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFolders folders;
    folders.existing = {kFolder};
    folders.files[kFolder] = c.before;
    const std::string spoiled = c.spoiled.substr(0, c.spoiled.find(' '));
    const auto spoil = [&](const char* when) {
      if (!c.spoiled.ends_with(when)) return;
      if (spoiled == "gone") return folders.files.erase(kFolder), folders.existing.clear();
      folders.unreadable.insert(spoiled == "mirror" ? kMirror : kFolder);
    };
    spoil("start");
    FolderWatch watch(folders);
    watch.Start(kFolder);
    folders.unreadable.clear();
    if (spoiled != "gone") folders.files[kFolder] = c.after;
    if (!c.mirror.empty()) folders.files[kMirror] = c.mirror;
    spoil("end");
    std::string why;
    EXPECT_EQ(watch.Look(why), c.verdict);
    // Unknown says why, naming the folder that could not be looked at.
    if (c.verdict == Verdict::Unknown) {
      EXPECT_NE(why.find(spoiled == "mirror" ? kMirror : kFolder), std::string::npos) << why;
    } else {
      EXPECT_EQ(why, "");
    }
  }
}

}  // namespace
}  // namespace orvando::test
