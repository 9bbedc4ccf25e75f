#pragma once
// Folders as Windows names them. Nothing here changes the process's current
// folder: a folder that is a program's current one is held open by Windows,
// and could not be renamed, moved or deleted while Orvando runs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/outcome.h"

namespace orvando {

// A file as a folder lists it: enough to tell whether it was written since.
struct FileStamp {
  std::string name;
  int64_t size = 0;
  int64_t written = 0;  // last write, in the file system's own units
};

// What a folder holds, or why it could not be listed.
struct FolderListing {
  enum class State {
    Listed,   // `files` holds what was looked at (maybe nothing)
    Missing,  // there is no such folder
    Failed,   // it is there but could not be read: `error` says why, in French
  };
  State state = State::Listed;
  std::vector<FileStamp> files;
  std::string error;
};

class Folders {
 public:
  virtual ~Folders() = default;
  // `folder` written in full as Windows writes it, with its long names and no
  // trailing separator except at the root of a drive ("C:\"), when it is a
  // folder that exists.
  // A French error names the folder when it is not.
  virtual Outcome FullFolder(const std::string& folder, std::string& full) const = 0;
  // The process's current folder, in the same form: Orvando's own folder.
  virtual std::string CurrentFolder() const = 0;
  // The files directly in `folder`, not in its subfolders, of at most `most`
  // entries looked at, in the folder's own order.
  virtual FolderListing FilesIn(const std::string& folder, size_t most) const = 0;
  // The stamp of one file, asked of the file itself; false when there is none.
  virtual bool StampOf(const std::string& folder, const std::string& name,
                       FileStamp& stamp) const = 0;
  // The user's own folder of program data ("C:\Users\Jean\AppData\Local"),
  // which holds the VirtualStore; empty when unknown.
  virtual std::string LocalAppData() const = 0;
};

}  // namespace orvando
