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
  for (int i = 0; i < 450; ++i) files.push_back({"2025-" + std::to_string(1000 + i) + ".csv", 1, 1});
  files.push_back(history);
  return files;
}

TEST(FolderWatch_Verdict, WhatChangedInEitherFolderAndWhetherItCouldBeLooked) {
  const Files data = {{"currdat.lst", 900, 10}, {"history.dat", 3600, 10}};
  struct Case {
    const char* name;
    Files folder_before;
    Files folder, mirror;            // after the run; the mirror is missing before it
    const char* unreadable_before;   // a folder whose listing fails as the run begins
    const char* unreadable_after;    // ... or as it ends
    Verdict verdict;
  };
  const Case cases[] = {
      {"no change", data, data, {}, nullptr, nullptr, Verdict::Nothing},
      {"a new file", data, {data[0], data[1], {"heavy.log", 10, 11}}, {}, nullptr, nullptr,
       Verdict::Recorded},
      {"a changed size", data, {data[0], {"history.dat", 3636, 10}}, {}, nullptr, nullptr,
       Verdict::Recorded},
      {"rewritten at the same size", data, {{"currdat.lst", 900, 11}, data[1]}, {}, nullptr,
       nullptr, Verdict::Recorded},
      {"only in the mirror, made during the run", data, data, {{"history.dat", 36, 11}}, nullptr,
       nullptr, Verdict::Recorded},
      {"only Orvando's files",
       data,
       {data[0], data[1], {"Orvando.log", 80, 11}, {"ORVANDO.CFG", 87, 11},
        {"Orvando.ini", 40, 11}, {"orv1A2B.tmp", 0, 11}},
       {},
       nullptr,
       nullptr,
       Verdict::Nothing},
      {"history.dat behind 450 exports, grown", ManyExports({"history.dat", 3600, 10}),
       ManyExports({"history.dat", 3636, 10}), {}, nullptr, nullptr, Verdict::Recorded},
      {"history.dat behind 450 exports, as it was", ManyExports({"history.dat", 3600, 10}),
       ManyExports({"history.dat", 3600, 10}), {}, nullptr, nullptr, Verdict::Nothing},
      {"the folder unreadable at the end", data, data, {}, nullptr, "folder", Verdict::Unknown},
      {"the folder unreadable at the start", data, data, {}, "folder", nullptr, Verdict::Unknown},
      {"the mirror unreadable at the end", data, {data[0], {"history.dat", 3636, 10}}, {},
       nullptr, "mirror", Verdict::Unknown},
      {"the folder gone at the end", data, {}, {}, nullptr, "gone", Verdict::Unknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFolders folders;
    folders.existing = {kFolder};
    folders.files[kFolder] = c.folder_before;
    const auto spoil = [&](const char* which) {
      if (!which) return;
      if (std::string(which) == "gone") return folders.files.erase(kFolder), void();
      folders.unreadable.insert(std::string(which) == "folder" ? kFolder : kMirror);
    };
    spoil(c.unreadable_before);
    FolderWatch watch(folders);
    watch.Start(kFolder);
    folders.unreadable.clear();
    folders.files[kFolder] = c.folder;
    if (!c.mirror.empty()) folders.files[kMirror] = c.mirror;
    if (c.unreadable_after && std::string(c.unreadable_after) == "gone") folders.existing.clear();
    spoil(c.unreadable_after);
    std::string why;
    EXPECT_EQ(watch.Look(why), c.verdict);
    // The reason names the folder that could not be looked at.
    EXPECT_EQ(why.empty(), c.verdict != Verdict::Unknown) << why;
    if (c.verdict == Verdict::Unknown) {
      EXPECT_NE(why.find(std::string(c.unreadable_after ? c.unreadable_after : "folder") ==
                                 "mirror"
                             ? kMirror
                             : kFolder),
                std::string::npos)
          << why;
    }
  }
}

}  // namespace
}  // namespace orvando::test
