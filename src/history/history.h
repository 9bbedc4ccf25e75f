#pragma once
// The history: "Orvando.log" beside "Orvando.cfg", one line per event of the
// program and the schedule, so that an owner who finds a gap in the station's
// data can learn why (the PC was off, HeavyWeather failed to start or to
// close, Orvando was stopped).
//
// Each line is the local date and time, a tab and a French sentence:
//   2026-12-07 10:15:00<TAB>HeavyWeather lancé depuis « C:\Meteo ».
// UTF-8 with a byte-order mark (Notepad on Windows 7 then shows the accents),
// CR LF line ends. Each event opens the file, appends and closes it: the user
// can open it at any time. It never hurts the schedule: a write that fails is
// dropped, without a message, a retry or a wait.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"

namespace orvando {

class History {
 public:
  // Past this size the file becomes "Orvando.log.1", replacing an older one,
  // and a new file is begun: at one run a quarter hour, months of history.
  static constexpr int64_t kMaxBytes = 1 << 20;
  static constexpr const char* kFileName = "Orvando.log";

  History(Files& files, const Clock& clock) : files_(files), clock_(clock) {}

  void Write(const std::string& what);

  // The lines of a run, from its beginning, for the signal of life's body:
  // at most this many bytes, the lines past them dropped.
  static constexpr size_t kMostRunBytes = 10 * 1024;
  void BeginRun() { run_lines_.clear(); }
  const std::string& RunLines() const { return run_lines_; }

  // The program's folder + "\Orvando.log".
  std::string Path() const;
  bool Exists() const { return files_.FileSize(Path()) >= 0; }

 private:
  Files& files_;
  const Clock& clock_;
  std::string run_lines_;
};

}  // namespace orvando
