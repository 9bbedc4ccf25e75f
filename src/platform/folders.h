#pragma once
// The process's current drive and folder.

#include <string>

#include "platform/outcome.h"

namespace orvando {

class Folders {
 public:
  virtual ~Folders() = default;
  // Makes the folder's drive the current drive and the folder the current
  // folder. A French error names the folder when it fails.
  virtual Outcome SetCurrentFolder(const std::string& folder) = 0;
  // The current folder, as Windows reports it: no trailing separator except
  // at the root of a drive ("C:\").
  virtual std::string CurrentFolder() const = 0;
};

}  // namespace orvando
