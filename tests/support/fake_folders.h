#pragma once
// Which folders exist, what files they hold, and the process's current
// folder, for core tests.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"

namespace orvando::test {

class FakeFolders : public Folders {
 public:
  Outcome FullFolder(const std::string& folder, std::string& full) const override {
    if (!existing.count(folder)) return Outcome::Fail("dossier introuvable : " + folder);
    full = folder;
    return Outcome::Ok();
  }
  std::string CurrentFolder() const override { return current; }
  // A folder that exists and whose files the test doesn't give changes
  // between any two looks, as HeavyWeather's does while it reads the station.
  FolderListing FilesIn(const std::string& folder, size_t most) const override {
    if (unreadable.count(folder)) {
      return {FolderListing::State::Failed, {}, "le dossier « " + folder + " » : accès refusé"};
    }
    const auto it = files.find(folder);
    if (it == files.end()) {
      if (!existing.count(folder)) return {FolderListing::State::Missing, {}, {}};
      return {FolderListing::State::Listed, {{"currdat.lst", 100, ++looks_}}, {}};
    }
    return {FolderListing::State::Listed,
            {it->second.begin(), it->second.begin() + std::min(most, it->second.size())},
            {}};
  }
  bool StampOf(const std::string& folder, const std::string& name,
               FileStamp& stamp) const override {
    const auto it = files.find(folder);
    if (it == files.end()) return false;
    for (const FileStamp& file : it->second) {
      if (file.name == name) return stamp = file, true;
    }
    return false;
  }
  std::string LocalAppData() const override { return "C:\\Users\\Jean\\AppData\\Local"; }

  std::set<std::string> existing;
  std::map<std::string, std::vector<FileStamp>> files;
  std::set<std::string> unreadable;  // there, but every listing fails
  std::string current = "C:\\";

 private:
  mutable int64_t looks_ = 0;
};

}  // namespace orvando::test
