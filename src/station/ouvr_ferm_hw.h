#pragma once
// OuvrFermHW: starting HeavyWeather minimised, and closing it through its
// window titled "heavy weather".

#include <cstdint>
#include <string>
#include <vector>

#include "config/i_ofichier.h"
#include "history/history.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/folders.h"
#include "platform/station.h"
#include "platform/user_messages.h"
#include "station/notices.h"

namespace orvando {

// How long the waits last. The defaults are the program's; tests shorten them.
struct StationTimings {
  // A launch waits this long for HeavyWeather's window to come to the front
  // before it types its keystrokes, checking every `focus_poll_ms`.
  int focus_wait_ms = 5000;
  int focus_poll_ms = 50;
  // A close searches and posts once per `close_pass_ms`, and gives up after
  // `close_bound_ms`.
  int close_pass_ms = 100;
  int close_bound_ms = 60000;
};

class OuvrFermHW {
 public:
  // `chemin_hw` is read at every launch, so it must outlive this object (it
  // is normally I_Ofichier::CheminHW, which the installation window changes).
  OuvrFermHW(const std::string& chemin_hw, Folders& folders, StationPlatform& station,
             EventPump& pump, const Clock& clock, UserMessages& messages,
             StationTimings timings = {});
  OuvrFermHW(const I_Ofichier& config, Folders& folders, StationPlatform& station, EventPump& pump,
             const Clock& clock, UserMessages& messages, StationTimings timings = {})
      : OuvrFermHW(config.CheminHW, folders, station, pump, clock, messages, timings) {}

  OuvrFermHW(const OuvrFermHW&) = delete;
  OuvrFermHW& operator=(const OuvrFermHW&) = delete;

  // Where launches, closes and their failures are written down; none: not.
  void SetHistory(History* history) { history_ = history; }

  bool HWLance = false;       // launched and not yet closed
  WindowHandle HandleHW = 0;  // found by the last close pass; 0 when none

  void OuvrirHW();
  void FermerHW();
  void FermerFenetre(const std::string& title);

  // True while a launch waits for the window or a close is under way: events
  // (ticks, clicks) may run nested inside.
  bool Busy() const { return busy_; }

 private:
  void Launch();
  void MinimiseStartedWindow(ProcessId process);
  WindowHandle WaitForStationInFront(ProcessId process, int64_t deadline);
  bool IsStationWindow(WindowHandle window, ProcessId process) const;
  std::vector<WindowHandle> HeavyWeatherWindows(const std::string& title) const;
  bool IsHeavyWeathers(WindowHandle window) const;
  void WaitUntil(int64_t deadline);
  void ReportStuckWindows();
  // A failure of the schedule: in the notice and in the history.
  void Tell(const std::string& what);
  void Note(const std::string& what);

  const std::string& chemin_hw_;
  Folders& folders_;
  StationPlatform& station_;
  EventPump& pump_;
  const Clock& clock_;
  Notices notices_;
  const StationTimings timings_;
  bool busy_ = false;
  ProcessId started_ = 0;  // the last HeavyWeather this program started
  History* history_ = nullptr;
  int64_t run_began_ms_ = -1;  // when the run under way had HeavyWeather; -1: it has not
  // The windows that the last close which gave up told the user about.
  std::vector<WindowHandle> reported_stuck_;
};

}  // namespace orvando
