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
//
// A folder that could not be listed proves nothing either way: the verdict
// is then unknown, never "nothing recorded".

#include <string>
#include <vector>

#include "platform/folders.h"

namespace orvando {

class FolderWatch {
 public:
  // Bounds the work, twice a run: the entries listed in each folder. The two
  // files HeavyWeather writes are also asked for by name, so that no number
  // of other files (exports, old logs) can hide them.
  static constexpr size_t kMostEntries = 400;

  enum class Verdict { Recorded, Nothing, Unknown };

  explicit FolderWatch(const Folders& folders) : folders_(folders) {}

  // Notes the files of `folder` and of its mirror, as the run begins.
  void Start(const std::string& folder);
  // Since Start: Recorded when a file is new, or its size or time changed;
  // Nothing when none did; Unknown when a folder could not be listed, either
  // time, or none was known (`why` then says why, in French). Orvando's own
  // files never count.
  Verdict Look(std::string& why) const;

 private:
  bool List(std::vector<FileStamp>& stamps, std::string& why) const;

  const Folders& folders_;
  std::vector<std::string> watched_;  // the folder, then its mirror
  std::vector<FileStamp> before_;     // by folder, then by name
  std::string failed_;                // why the first look failed; empty when it didn't
};

}  // namespace orvando
