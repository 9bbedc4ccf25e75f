#include "windows/select_dir_folders.h"

#include <cctype>

namespace orvando {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

bool SplitFolder(const std::string& path, std::string& root, std::vector<std::string>& names) {
  const size_t root_length = RootLength(path);
  if (root_length == 0) return false;
  root = path.substr(0, root_length);
  if (!IsSeparator(root.back())) root += '\\';
  names.clear();
  std::string name;
  for (size_t i = root_length; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name += path[i];
    }
  }
  return true;
}

char DriveOf(const std::string& path) {
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
    return static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
  return 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& subfolders, size_t& current) {
  std::string root;
  std::vector<std::string> names;
  current = 0;
  if (!SplitFolder(folder, root, names)) return {};
  std::vector<FolderEntry> entries;
  entries.push_back({root, root, 0, true});
  std::string path = root;
  for (const std::string& name : names) {
    path = JoinPath(path, name);
    entries.push_back({name, path, static_cast<int>(entries.size()), true});
  }
  current = entries.size() - 1;
  const int depth = static_cast<int>(entries.size());
  for (const std::string& name : subfolders)
    entries.push_back({name, JoinPath(path, name), depth, false});
  return entries;
}

}  // namespace orvando
