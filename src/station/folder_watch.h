#pragma once
// Whether a run collected anything. HeavyWeather, when it reads the station,
// rewrites its current readings (currdat.lst) about once a minute and appends
// records to history.dat, both in its own folder; a run during which no file
// there changed has almost surely read nothing (the port taken, the cable or
// the adapter out, the station's batteries flat, an error box waiting).
//
// Installed under "Program Files" and run without elevation, an old program
// has its writes redirected by Windows to the user's mirror of its folder,
// %LOCALAPPDATA%\VirtualStore\<the folder without its drive>: that mirror is
// looked at too, where it exists.

#include <string>
#include <vector>

#include "platform/folders.h"

namespace orvando {

class FolderWatch {
 public:
  // Bounds the work, twice a run: the entries looked at in each folder.
  static constexpr size_t kMostEntries = 400;

  explicit FolderWatch(const Folders& folders) : folders_(folders) {}

  // Notes the files of `folder` and of its mirror, as the run begins.
  void Start(const std::string& folder);
  // True when a file is new, or its size or time changed, since Start; or
  // when no folder was known to look at. Orvando's own files never count.
  bool Recorded() const;

 private:
  std::vector<FileStamp> Look() const;

  const Folders& folders_;
  std::vector<std::string> watched_;  // the folder, then its mirror
  std::vector<FileStamp> before_;     // by folder, then by name
};

}  // namespace orvando
