#pragma once
#include "platform/folders.h"

namespace orvando::win32 {

class Win32Folders : public Folders {
 public:
  Outcome SetCurrentFolder(const std::string& folder) override;
  std::string CurrentFolder() const override;
};

}  // namespace orvando::win32
