#pragma once
// The current folder, and which folders exist, for core tests.

#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"

namespace orvando::test {

class FakeFolders : public Folders {
 public:
  Outcome SetCurrentFolder(const std::string& folder) override {
    calls.push_back(folder);
    if (!existing.count(folder)) return Outcome::Fail("dossier introuvable : " + folder);
    current = folder;
    return Outcome::Ok();
  }
  std::string CurrentFolder() const override { return current; }

  std::set<std::string> existing;
  std::string current = "C:\\";
  std::vector<std::string> calls;  // every SetCurrentFolder, in order
};

}  // namespace orvando::test
