#include "station/folder_watch.h"

#include <algorithm>
#include <tuple>

#include "platform/text.h"

namespace orvando {
namespace {

// Many owners put Orvando.exe in HeavyWeather's folder: its settings file
// (and the temporary file it is written through, "orv….tmp") and its history
// change there at every run.
bool IsOrvandos(const std::string& name) {
  for (const char* own : {"Orvando.cfg", "Orvando.log", "Orvando.log.1"}) {
    if (SameText(name, own)) return true;
  }
  return name.size() > 7 && SameText(std::string_view(name).substr(0, 3), "orv") &&
         SameText(std::string_view(name).substr(name.size() - 4), ".tmp");
}

bool Before(const FileStamp& a, const FileStamp& b) {
  return a.name < b.name;
}

}  // namespace

void FolderWatch::Start(const std::string& folder) {
  watched_.clear();
  if (!folder.empty()) watched_.push_back(folder);
  // "C:\Program Files (x86)\HeavyWeather" is mirrored in
  // "%LOCALAPPDATA%\VirtualStore\Program Files (x86)\HeavyWeather", by its
  // long names.
  const std::string local = folders_.LocalAppData();
  std::string full;
  if (!local.empty() && folders_.FullFolder(folder, full) && full.size() > 3 && full[1] == ':' &&
      RootLength(full) == 3) {
    watched_.push_back(JoinPath(JoinPath(local, "VirtualStore"), full.substr(3)));
  }
  before_ = Look();
}

// Each name carries its folder's number in front, so that one sorted list
// holds both folders.
std::vector<FileStamp> FolderWatch::Look() const {
  std::vector<FileStamp> stamps;
  for (size_t i = 0; i < watched_.size(); ++i) {
    for (FileStamp& file : folders_.FilesIn(watched_[i], kMostEntries)) {
      if (IsOrvandos(file.name)) continue;
      file.name.insert(0, 1, static_cast<char>('0' + i));
      stamps.push_back(std::move(file));
    }
  }
  std::sort(stamps.begin(), stamps.end(), Before);
  return stamps;
}

bool FolderWatch::Recorded() const {
  if (watched_.empty()) return true;
  for (const FileStamp& file : Look()) {
    const auto was = std::lower_bound(before_.begin(), before_.end(), file, Before);
    if (was == before_.end() || was->name != file.name ||
        std::tie(was->size, was->written) != std::tie(file.size, file.written)) {
      return true;
    }
  }
  return false;
}

}  // namespace orvando
