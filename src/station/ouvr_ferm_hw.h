#pragma once
// OuvrFermHW: starting HeavyWeather minimised, and closing it through its
// window titled "heavy weather".
//
// Neither waits. A launch starts the program and returns; until its main
// window comes to the front, the alarm looks again at a short pace, and the
// keystrokes are typed once it is there. A close asks every HeavyWeather
// window to close and returns; the alarm looks again at the same pace until
// no window is left and HeavyWeather's process has ended, or gives up at its
// bound. No loop of ours is ever on the stack: a message box or a menu left
// open runs Windows' own loop, which rings the alarm and ticks the timer all
// the same.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "history/history.h"
#include "platform/alarm.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/station.h"
#include "station/folder_watch.h"
#include "station/notices.h"
#include "station/signal_de_vie.h"

namespace orvando {

// How long the waits last. The defaults are the program's; tests shorten them.
struct StationTimings {
  // A launch waits this long for HeavyWeather's window to come to the front
  // before it types its keystrokes.
  int window_wait_ms = 5000;
  // A close gives up after this long.
  int close_bound_ms = 60000;
  // Both look again at this pace.
  int pace_ms = 100;
  // A window still there is asked again to close only this long after it
  // was last asked: a program busy saving, or asking "quit?", must not get a
  // flood of requests in the middle of a write.
  int close_again_ms = 5000;
};

class OuvrFermHW {
 public:
  struct Links {
    // Read at every launch, so it must outlive this object: normally
    // I_Ofichier::CheminHW, which the installation window changes.
    const std::string& chemin_hw;
    const Folders& folders;
    StationPlatform& station;
    Alarm& alarm;  // paces the waits
    const Clock& clock;
    Notices& notices;     // a launch that failed, a close that gave up...
    History& history;     // ...and every launch and close, written down
    SignalDeVie& signal;  // told at the end of each run
    StationTimings timings = {};
  };
  explicit OuvrFermHW(const Links& links);

  OuvrFermHW(const OuvrFermHW&) = delete;
  OuvrFermHW& operator=(const OuvrFermHW&) = delete;

  // Set by every launch (or launch attempt), cleared at the start of every
  // close pass: from the first pass on, a close under way is Waiting().
  bool HWLance = false;
  WindowHandle HandleHW = 0;  // found by the last close pass; 0 when none

  // Starts HeavyWeather from CheminHW, unless it is launched already or its
  // window is open; HWLance is set in every case.
  void OuvrirHW();
  // Asks HeavyWeather's windows to close; the close goes on by itself until
  // HeavyWeather has ended, or its bound.
  void FermerHW();
  // One close request to every HeavyWeather window titled `title` that has
  // not been asked within the last close_again_ms.
  void FermerFenetre(const std::string& title);

  enum class Wait {
    None,
    ForWindow,  // a launch, until HeavyWeather's main window comes to the front
    ForClose,   // a close, until no HeavyWeather window is left and its process has ended
  };
  Wait Waiting() const { return wait_; }

  // Orvando is ending: a close under way goes on to its end or bound and
  // tells nobody; a launch no longer waits for its window.
  void ProgramEnding();

  // How much is kept from one run to the next (windows told about, close
  // requests, the process followed): it must not grow with the runs.
  size_t Remembered() const {
    return reported_stuck_.size() + asked_.size() + (process_ != 0) + (reported_process_ != 0);
  }

 private:
  void Launch();
  // A HeavyWeather already running is this slot's run: its window, or its
  // process left by a close that gave up.
  void TakeAsTheRun(ProcessId process, const std::string& what);
  void BeginRun(const std::string& folder);
  void OnAlarm();
  void LookForWindow();
  void ClosePass();
  void EndClose(bool gave_up);
  void MinimiseStartedWindow();
  std::vector<WindowHandle> HeavyWeatherWindows(const std::string& title) const;
  std::vector<WindowHandle> MainWindows() const;
  bool IsHeavyWeathers(WindowHandle window) const;
  // The process followed is still there. One that has ended is let go.
  bool StillRunning();
  void Follow(ProcessId process);
  void ReportStuck(const std::vector<WindowHandle>& windows, bool process_left);
  // Nothing is stuck any more: the notice no longer keeps it.
  void NothingStuck();
  // The visible windows of HeavyWeather's processes (the run's, and those of
  // its windows), read without waiting for them.
  std::vector<ShownWindow> ShownWindows() const;
  static bool IsMainWindow(const ShownWindow& shown);
  // "« caption » : « text »", on one line.
  static std::string WhatItSays(const ShownWindow& shown);
  // Before the close request, while they are there: what HeavyWeather's own
  // windows say (an error box, a "no connection" dialog), the clues an owner
  // needs later. At the bound, ReportStuck reads them again.
  void ReadShownWindows();
  // The run is over: whether it recorded anything, looked at once its
  // process has ended (or at the bound), when its files are final. Returns
  // the end of the close line.
  std::string JudgeTheRun();
  FolderWatch::Verdict verdict_ = FolderWatch::Verdict::Unknown;  // of the run being closed
  // A second run in a row that recorded nothing is told, and a good one
  // after such runs written down; a run that could not be checked changes
  // nothing.
  void CountRecording(FolderWatch::Verdict verdict);
  // A failure of the schedule: in the history, the notice (kept there while
  // it lasts) and to the monitoring service.
  void Tell(const std::string& what, bool lasting = false);

  const std::string& chemin_hw_;
  const Folders& folders_;
  StationPlatform& station_;
  Alarm& alarm_;
  const Clock& clock_;
  Notices& notices_;
  History& history_;
  SignalDeVie& signal_;
  const StationTimings timings_;
  Wait wait_ = Wait::None;
  bool first_pass_ = false;  // the close under way has made no pass yet
  bool ending_ = false;
  int64_t deadline_ = 0;    // of the wait under way (monotonic ms)
  int keys_typed_ = 0;      // keystroke strings typed by the launch under way
  bool box_first_ = false;  // a window of the started program that is not its main one
                            // came to the front first: no key is typed at all
  FolderWatch watch_{folders_};
  int silent_runs_ = 0;     // runs in a row that recorded nothing
  LocalTime silent_since_;  // when the first of them began
  // The HeavyWeather process of the run (started by us, or taken as the
  // run), followed until it has ended: after a close that gave up, still
  // between runs.
  ProcessId process_ = 0;
  int64_t run_began_ms_ = -1;  // when the run under way had HeavyWeather; -1: it has not
  LocalTime run_began_at_;     // the same, on the local clock
  // The close requests of the close under way: each window, and when it was
  // last asked.
  std::vector<std::pair<WindowHandle, int64_t>> asked_;
  // What the last close which gave up told the user about: its windows, and
  // the process that outlived them.
  std::vector<WindowHandle> reported_stuck_;
  ProcessId reported_process_ = 0;
  std::string reported_what_;
};

}  // namespace orvando
