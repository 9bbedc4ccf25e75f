#include "station/folder_watch.h"

#include <algorithm>
#include <tuple>

#include "platform/text.h"

namespace orvando {
namespace {

// Many owners put Orvando.exe in HeavyWeather's folder: its settings files
// (and the temporary files they are written through, "orv….tmp") and its
// history change there at every run.
bool IsOrvandos(const std::string& name) {
  for (const char* own : {"Orvando.cfg", "Orvando.ini", "Orvando.log", "Orvando.log.1"}) {
    if (SameText(name, own)) return true;
  }
  return name.size() > 7 && SameText(std::string_view(name).substr(0, 3), "orv") &&
         SameText(std::string_view(name).substr(name.size() - 4), ".tmp");
}

// What HeavyWeather writes while it reads the station.
constexpr const char* kStationFiles[] = {"history.dat", "currdat.lst"};

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
  if (!local.empty() && !folder.empty() && folders_.FullFolder(folder, full) && full.size() > 3 &&
      full[1] == ':' && RootLength(full) == 3) {
    watched_.push_back(JoinPath(JoinPath(local, "VirtualStore"), full.substr(3)));
  }
  failed_.clear();
  before_.clear();
  List(before_, failed_);
}

// Each name carries its folder's number in front, so that one sorted list
// holds both folders. The mirror may well not exist; the folder must.
bool FolderWatch::List(std::vector<FileStamp>& stamps, std::string& why) const {
  if (watched_.empty()) {
    why = "le dossier de HeavyWeather n'est pas connu";
    return false;
  }
  for (size_t i = 0; i < watched_.size(); ++i) {
    FolderListing listing = folders_.FilesIn(watched_[i], kMostEntries);
    if (listing.state == FolderListing::State::Failed ||
        (i == 0 && listing.state == FolderListing::State::Missing)) {
      why = listing.state == FolderListing::State::Missing
                ? "le dossier « " + watched_[i] + " » est introuvable"
            : listing.error.empty() ? "le dossier « " + watched_[i] + " » n'a pas pu être lu"
                                    : listing.error;
      return false;
    }
    for (const char* name : kStationFiles) {
      const bool listed = std::any_of(listing.files.begin(), listing.files.end(),
                                      [&](const FileStamp& f) { return SameText(f.name, name); });
      FileStamp stamp;
      if (!listed && folders_.StampOf(watched_[i], name, stamp)) listing.files.push_back(stamp);
    }
    for (FileStamp& file : listing.files) {
      if (IsOrvandos(file.name)) continue;
      file.name.insert(0, 1, static_cast<char>('0' + i));
      stamps.push_back(std::move(file));
    }
  }
  std::sort(stamps.begin(), stamps.end(), Before);
  return true;
}

FolderWatch::Verdict FolderWatch::Look(std::string& why) const {
  std::vector<FileStamp> now;
  if (!failed_.empty()) {
    why = failed_;
    return Verdict::Unknown;
  }
  if (!List(now, why)) return Verdict::Unknown;
  for (const FileStamp& file : now) {
    const auto was = std::lower_bound(before_.begin(), before_.end(), file, Before);
    if (was == before_.end() || was->name != file.name ||
        std::tie(was->size, was->written) != std::tie(file.size, file.written)) {
      return Verdict::Recorded;
    }
  }
  return Verdict::Nothing;
}

}  // namespace orvando
