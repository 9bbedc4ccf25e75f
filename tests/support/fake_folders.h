#pragma once
// Which folders exist, and the process's current folder, for core tests.

#include <set>
#include <string>

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

  std::set<std::string> existing;
  std::string current = "C:\\";
};

}  // namespace orvando::test
