#pragma once
#include "platform/folders.h"

namespace orvando::win32 {

class Win32Folders : public Folders {
 public:
  Outcome FullFolder(const std::string& folder, std::string& full) const override;
  std::string CurrentFolder() const override;
  FolderListing FilesIn(const std::string& folder, size_t most) const override;
  bool StampOf(const std::string& folder, const std::string& name, FileStamp& stamp) const override;
  std::string LocalAppData() const override;
};

}  // namespace orvando::win32
