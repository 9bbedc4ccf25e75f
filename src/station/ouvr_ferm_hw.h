#pragma once
// OuvrFermHW: starting HeavyWeather minimised, and closing it through its
// window titled "heavy weather".
//
// Neither waits. A launch starts the program and returns; until its window
// comes to the front, the alarm looks again at a short pace, and the
// keystrokes are typed once it is there. A close asks every HeavyWeather
// window to close and returns; the alarm asks again at the same pace until
// none is left, or gives up at its bound. No loop of ours is ever on the
// stack: a message box or a menu left open runs Windows' own loop, which
// rings the alarm and ticks the timer all the same.

#include <cstdint>
#include <string>
#include <vector>

#include "config/i_ofichier.h"
#include "history/history.h"
#include "platform/alarm.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/station.h"
#include "platform/user_messages.h"
#include "station/folder_watch.h"
#include "station/notices.h"

namespace orvando {

// How long the waits last. The defaults are the program's; tests shorten them.
struct StationTimings {
  // A launch waits this long for HeavyWeather's window to come to the front
  // before it types its keystrokes.
  int window_wait_ms = 5000;
  // A close gives up after this long.
  int close_bound_ms = 60000;
  // Both look again at this pace; a close asks once a look.
  int pace_ms = 100;
};

class OuvrFermHW {
 public:
  // `chemin_hw` is read at every launch, so it must outlive this object (it
  // is normally I_Ofichier::CheminHW, which the installation window changes).
  // `history`: where launches, closes and their failures are written down;
  // none: not.
  OuvrFermHW(const std::string& chemin_hw, const Folders& folders, StationPlatform& station,
             Alarm& alarm, const Clock& clock, UserMessages& messages, History* history = nullptr,
             StationTimings timings = {});
  OuvrFermHW(const I_Ofichier& config, const Folders& folders, StationPlatform& station,
             Alarm& alarm, const Clock& clock, UserMessages& messages, History* history = nullptr,
             StationTimings timings = {})
      : OuvrFermHW(config.CheminHW, folders, station, alarm, clock, messages, history, timings) {}

  OuvrFermHW(const OuvrFermHW&) = delete;
  OuvrFermHW& operator=(const OuvrFermHW&) = delete;

  bool HWLance = false;       // launched and not yet closed
  WindowHandle HandleHW = 0;  // found by the last close pass; 0 when none

  // Starts HeavyWeather from CheminHW, unless it is launched already or its
  // window is open; HWLance is set in every case.
  void OuvrirHW();
  // Asks HeavyWeather's windows to close; the close goes on by itself and
  // ends with HWLance clear.
  void FermerHW();
  // One close request to every HeavyWeather window titled `title`.
  void FermerFenetre(const std::string& title);

  enum class Wait {
    None,
    ForWindow,  // a launch, until HeavyWeather's window comes to the front
    ForClose,   // a close, until no HeavyWeather window is left
  };
  Wait Waiting() const { return wait_; }

  // Orvando is ending: a close under way goes on to its end or bound and
  // tells nobody; a launch no longer waits for its window.
  void ProgramEnding();

 private:
  void Launch();
  void OnAlarm();
  void LookForWindow();
  void ClosePass();
  void EndClose();
  void MinimiseStartedWindow();
  bool IsStationWindow(WindowHandle window) const;
  std::vector<WindowHandle> HeavyWeatherWindows(const std::string& title) const;
  bool IsHeavyWeathers(WindowHandle window) const;
  void ReportStuckWindows();
  // At the end of a run, before the close request: what it recorded, and
  // what HeavyWeather's own windows say (an error box, a "no connection"
  // dialog), the clues an owner needs later.
  void LookAtTheRun();
  // A run that had HeavyWeather is over: a second one in a row that
  // recorded nothing is told, and a good one after such runs written down.
  void CountRecording();
  // A failure of the schedule: in the notice and in the history.
  void Tell(const std::string& what);
  void Note(const std::string& what);

  const std::string& chemin_hw_;
  const Folders& folders_;
  StationPlatform& station_;
  Alarm& alarm_;
  const Clock& clock_;
  Notices notices_;
  History* const history_;
  const StationTimings timings_;
  Wait wait_ = Wait::None;
  bool ending_ = false;
  int64_t deadline_ = 0;       // of the wait under way (monotonic ms)
  int keys_typed_ = 0;         // keystroke strings typed by the launch under way
  FolderWatch watch_{folders_};
  bool recorded_ = true;        // the run being closed recorded something
  int silent_runs_ = 0;         // runs in a row that recorded nothing
  LocalTime silent_since_;      // when the first of them began
  ProcessId started_ = 0;      // the last HeavyWeather this program started
  int64_t run_began_ms_ = -1;  // when the run under way had HeavyWeather; -1: it has not
  LocalTime run_began_at_;     // the same, on the local clock
  // The windows that the last close which gave up told the user about.
  std::vector<WindowHandle> reported_stuck_;
};

}  // namespace orvando
