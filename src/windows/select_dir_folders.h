#pragma once
// The lines of the installation window's folder list: the drive's root and
// every folder down to the one shown, then that folder's subfolders one level
// deeper, as Windows' classic folder list draws them.

#include <string>
#include <vector>

#include "platform/text.h"

namespace orvando {

struct FolderEntry {
  std::string name;  // the root as "C:\", otherwise the folder's own name
  std::string path;  // the folder this line opens
  int depth;         // 0 for the root
  bool open;         // the folder shown or one of its parents
};

// Splits an absolute path into its root ("C:\" or "\\server\share\") and
// the names below it. False for a path with no root.
bool SplitFolder(const std::string& path, std::string& root, std::vector<std::string>& names);

// The drive letter of a path, lower case ('c' for "C:\Meteo"); 0 when the
// path has none (a network path).
char DriveOf(const std::string& path);

// The lines for `folder` and its `subfolders`. `current` receives the index
// of the line of `folder` itself. Empty when `folder` has no root.
std::vector<FolderEntry> ListFolder(const std::string& folder,
                                    const std::vector<std::string>& subfolders, size_t& current);

}  // namespace orvando
