#pragma once
// A machine's drives and folder tree, for core tests. Folders are full paths
// ("C:\Meteo"); a drive is readable when it is not listed in `empty`.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace orvando::test {

class FakeDrives : public Drives {
 public:
  std::vector<Drive> List() const override { return drives; }
  bool IsReadable(char letter) const override { return !empty.count(letter); }
  std::string CurrentFolderOf(char letter) const override {
    const auto it = current.find(letter);
    if (it != current.end()) return it->second;
    return std::string(1, static_cast<char>(letter - 'a' + 'A')) + ":\\";
  }
  bool Subfolders(const std::string& folder, std::vector<std::string>& names) const override {
    const auto it = tree.find(folder);
    if (it == tree.end()) return false;
    names = it->second;
    return true;
  }

  // Adds a folder and its parents to the tree (each parent lists its child).
  void AddFolder(const std::string& path) {
    tree.emplace(path, std::vector<std::string>{});
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 == path.size()) return;
    const std::string parent = cut == 2 ? path.substr(0, 3) : path.substr(0, cut);
    AddFolder(parent);
    auto& children = tree[parent];
    const std::string name = path.substr(cut + 1);
    if (std::find(children.begin(), children.end(), name) == children.end())
      children.push_back(name);
  }

  std::vector<Drive> drives{{'a', "a:"}, {'c', "c: [Système]"}, {'d', "d:"}};
  std::set<char> empty;                                  // drives with no medium
  std::map<char, std::string> current;                   // each drive's current folder
  std::map<std::string, std::vector<std::string>> tree;  // folder -> subfolders
};

}  // namespace orvando::test
