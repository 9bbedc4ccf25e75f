#pragma once
// Folders as Windows names them. Nothing here changes the process's current
// folder: a folder that is a program's current one is held open by Windows,
// and could not be renamed, moved or deleted while Orvando runs.

#include <string>

#include "platform/outcome.h"

namespace orvando {

class Folders {
 public:
  virtual ~Folders() = default;
  // `folder` written in full as Windows writes it, with no trailing separator
  // except at the root of a drive ("C:\"), when it is a folder that exists.
  // A French error names the folder when it is not.
  virtual Outcome FullFolder(const std::string& folder, std::string& full) const = 0;
  // The process's current folder, in the same form: Orvando's own folder.
  virtual std::string CurrentFolder() const = 0;
};

}  // namespace orvando
