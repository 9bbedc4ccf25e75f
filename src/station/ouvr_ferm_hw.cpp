#include "station/ouvr_ferm_hw.h"

#include <algorithm>

#include "platform/text.h"
#include "station/heavy_weather.h"

namespace orvando {
namespace {

bool Contains(const std::vector<WindowHandle>& windows, WindowHandle window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// The file name of a program's path, as Windows compares it.
bool NamesProgramFile(const std::string& path, std::string_view file) {
  const size_t slash = path.find_last_of("\\/");
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  return SameText(name, file);
}

constexpr const char* kNotLaunched = " HeavyWeather n'a pas été lancé.";
constexpr const char* kNothingRecorded = ", sans avoir rien enregistré dans son dossier";
}  // namespace

OuvrFermHW::OuvrFermHW(const std::string& chemin_hw, const Folders& folders,
                       StationPlatform& station, Alarm& alarm, const Clock& clock,
                       UserMessages& messages, History* history, StationTimings timings)
    : chemin_hw_(chemin_hw),
      folders_(folders),
      station_(station),
      alarm_(alarm),
      clock_(clock),
      notices_(messages, clock),
      history_(history),
      timings_(timings) {}

void OuvrFermHW::OuvrirHW() {
  if (wait_ != Wait::None) return;  // the launch or close under way goes on
  if (!HWLance) {
    std::string full;  // only whether the folder is there matters here
    if (!HeavyWeatherWindows(std::string(hw::kWindowTitle)).empty()) {
      // HeavyWeather is open already: left by a close that gave up, or opened
      // by the user to look at the data. A second copy would fight it for the
      // station's port; this run is that one, closed at its end as usual.
      run_began_ms_ = clock_.MonotonicMs();
      run_began_at_ = clock_.Now();
      watch_.Start(chemin_hw_);
      Note("HeavyWeather déjà ouvert : sa fenêtre tient lieu de ce lancement.");
    } else if (chemin_hw_.empty()) {
      Tell(
          "HeavyWeather n'a pas été lancé : son dossier n'est pas connu. Choisissez-le par le "
          "menu Fichier, Chemin HeavyWeather.");
    } else if (const Outcome there = folders_.FullFolder(chemin_hw_, full); !there) {
      Tell(there.error + kNotLaunched);
    } else {
      Launch();
    }
  }
  // A failed attempt counts as a run too: the schedule goes on at its next
  // slot instead of retrying every second. The notice does not wait for an
  // answer, so that slot comes whether or not someone has read it.
  HWLance = true;
}

// By full path, so that a same-named program in our own folder or on the
// search path is never started instead; in its own folder, as its working
// folder, which ours never becomes.
void OuvrFermHW::Launch() {
  ProcessId process = 0;
  const int64_t asked_at = clock_.MonotonicMs();
  watch_.Start(chemin_hw_);  // before HeavyWeather can write a byte
  const Outcome started = station_.StartProgram(JoinPath(chemin_hw_, hw::kProgramFile), chemin_hw_,
                                                hw::kShowState, process);
  if (!started) {
    Tell(started.error + kNotLaunched);
    return;
  }
  started_ = process;
  run_began_ms_ = asked_at;
  run_began_at_ = clock_.Now();
  Note("HeavyWeather lancé depuis « " + chemin_hw_ + " ».");
  wait_ = Wait::ForWindow;
  deadline_ = asked_at + timings_.window_wait_ms;
  keys_typed_ = 0;
  LookForWindow();
}

void OuvrFermHW::OnAlarm() {
  if (wait_ == Wait::ForWindow) LookForWindow();
  if (wait_ == Wait::ForClose) ClosePass();
}

// The keystrokes go to whatever window is in front, so each string is typed
// only once HeavyWeather's window is there: a station slow to show its
// window must not have them typed into the user's own program.
void OuvrFermHW::LookForWindow() {
  static constexpr std::span<const KeyEvent> kStrings[] = {hw::kOpenWindowMenu, hw::kPickMinimise};
  while (keys_typed_ < 2) {
    const WindowHandle front = station_.ForegroundWindow();
    if (!IsStationWindow(front)) {
      const int64_t now = clock_.MonotonicMs();
      if (now < deadline_ && !ending_ &&
          alarm_.Set(static_cast<int>(std::min<int64_t>(deadline_ - now, timings_.pace_ms)),
                     [this] { OnAlarm(); })) {
        return;
      }
      MinimiseStartedWindow();
      break;
    }
    // Already minimised: what the keys are for is done, and Alt+Space, space
    // on a minimised window would restore it.
    if (station_.IsMinimised(front)) break;
    station_.SendKeys(kStrings[keys_typed_++]);
  }
  wait_ = Wait::None;
}

// Without the keystrokes, the station's window (if it came up at all) is
// asked to minimise directly.
void OuvrFermHW::MinimiseStartedWindow() {
  if (ending_) return;
  for (WindowHandle window : HeavyWeatherWindows(std::string(hw::kWindowTitle))) {
    if (station_.WindowProcess(window) == started_ && !station_.IsMinimised(window)) {
      station_.Minimise(window);
    }
  }
}

bool OuvrFermHW::IsStationWindow(WindowHandle window) const {
  if (window == 0) return false;
  return station_.WindowProcess(window) == started_ ||
         Contains(HeavyWeatherWindows(std::string(hw::kWindowTitle)), window);
}

std::vector<WindowHandle> OuvrFermHW::HeavyWeatherWindows(const std::string& title) const {
  std::vector<WindowHandle> windows = station_.WindowsTitled(title);
  std::erase_if(windows, [this](WindowHandle window) { return !IsHeavyWeathers(window); });
  return windows;
}

// The title alone is not enough: Explorer titles a folder's window with the
// folder's name, and HeavyWeather's folder is often "Heavy Weather". A window
// is HeavyWeather's when its program file is "heavy weather.exe" or this
// program started it; when its process can't be asked, its title decides.
bool OuvrFermHW::IsHeavyWeathers(WindowHandle window) const {
  const ProcessId process = station_.WindowProcess(window);
  if (process == 0) return false;  // gone meanwhile
  if (process == started_) return true;
  std::string program;
  return !station_.ProgramOf(process, program) || NamesProgramFile(program, hw::kProgramFile);
}

void OuvrFermHW::FermerHW() {
  if (wait_ == Wait::ForClose) return;  // under way: it goes on by itself
  wait_ = Wait::ForClose;               // a launch still looking stops here
  deadline_ = clock_.MonotonicMs() + timings_.close_bound_ms;
  if (run_began_ms_ >= 0) LookAtTheRun();
  ClosePass();
}

// One pass: a search and a request to every window found, until a search
// finds none; paced by the alarm, and bounded.
void OuvrFermHW::ClosePass() {
  const bool first_pass = HWLance;
  FermerFenetre(std::string(hw::kWindowTitle));
  if (HandleHW == 0) {
    reported_stuck_.clear();
    started_ = 0;  // gone: its process id may be given to another program
    if (run_began_ms_ >= 0) {
      const std::string nothing = recorded_ ? "" : kNothingRecorded;
      Note(first_pass
               ? "HeavyWeather était déjà fermé quand Orvando allait le fermer" + nothing + "."
               : "HeavyWeather fermé, " +
                     std::to_string((clock_.MonotonicMs() - run_began_ms_) / 1000) +
                     " s après son lancement" + nothing + ".");
    }
    return EndClose();
  }
  const int64_t now = clock_.MonotonicMs();
  // An alarm that can't be set (the system out of resources) ends the close
  // as its bound would: the schedule must not wait for it for ever.
  if (now >= deadline_ ||
      !alarm_.Set(static_cast<int>(std::min<int64_t>(deadline_ - now, timings_.pace_ms)),
                  [this] { OnAlarm(); })) {
    ReportStuckWindows();
    return EndClose();
  }
}

void OuvrFermHW::EndClose() {
  if (run_began_ms_ >= 0) CountRecording();
  wait_ = Wait::None;
  HWLance = false;
  HandleHW = 0;
  run_began_ms_ = -1;
}

void OuvrFermHW::ProgramEnding() {
  ending_ = true;
  if (wait_ == Wait::ForWindow) wait_ = Wait::None;
}

// A window that will not close stays; the next slot runs with it instead of
// starting a second copy, and its close gives up again. The user hears of it
// once, not at every slot: again only when another window is stuck too.
void OuvrFermHW::ReportStuckWindows() {
  std::vector<WindowHandle> stuck = HeavyWeatherWindows(std::string(hw::kWindowTitle));
  const bool known = std::all_of(stuck.begin(), stuck.end(), [this](WindowHandle window) {
    return Contains(reported_stuck_, window);
  });
  const std::string what =
      "HeavyWeather ne s'est pas fermé : sa fenêtre « heavy weather » est toujours ouverte "
      "après " +
      std::to_string(timings_.close_bound_ms / 1000) + " secondes. Fermez HeavyWeather vous-même.";
  if (known) {
    Note(what);  // the history keeps every one
  } else {
    Tell(what);
  }
  reported_stuck_ = std::move(stuck);
}

// Once Orvando is ending, nobody is told: the history only.
void OuvrFermHW::Tell(const std::string& what) {
  if (!ending_) notices_.Report(what);
  Note(what);
}

void OuvrFermHW::Note(const std::string& what) {
  if (history_) history_->Write(what);
}

// One close request per HeavyWeather window with that title: a window that
// ignores it does not keep the others from being asked.
void OuvrFermHW::FermerFenetre(const std::string& title) {
  HWLance = false;
  const std::vector<WindowHandle> windows = HeavyWeatherWindows(title);
  for (WindowHandle window : windows) {
    station_.PostToWindow(window, hw::kCloseMessage, hw::kCloseWParam, hw::kCloseLParam);
  }
  HandleHW = windows.empty() ? 0 : windows.front();
}

}  // namespace orvando
