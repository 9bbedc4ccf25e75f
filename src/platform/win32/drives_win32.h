#pragma once
#include "platform/drives.h"

namespace orvando::win32 {

class Win32Drives : public Drives {
 public:
  std::vector<Drive> List() const override;
  bool IsReadable(char letter) const override;
  std::string CurrentFolderOf(char letter) const override;
  bool Subfolders(const std::string& folder, std::vector<std::string>& names) const override;
};

}  // namespace orvando::win32
