#include "station/ouvr_ferm_hw.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "station/heavy_weather.h"

namespace orvando {
namespace {

// The file name of a program's path, as Windows compares it.
bool NamesProgramFile(const std::string& path, std::string_view file) {
  const size_t slash = path.find_last_of("\\/");
  const std::string_view name =
      std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  return SameText(name, file);
}

// The folder of a program's path; empty when it has none.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + (slash == 2 && path[1] == ':' ? 1 : 0));
}

constexpr const char* kNotLaunched = " HeavyWeather n'a pas été lancé.";
}  // namespace

OuvrFermHW::OuvrFermHW(const Links& links)
    : chemin_hw_(links.chemin_hw),
      folders_(links.folders),
      station_(links.station),
      alarm_(links.alarm),
      clock_(links.clock),
      notices_(links.notices),
      history_(links.history),
      signal_(links.signal),
      timings_(links.timings) {}

void OuvrFermHW::OuvrirHW() {
  if (wait_ != Wait::None) return;  // the launch or close under way goes on
  if (!HWLance) {
    history_.BeginRun();  // what the slot writes, for the signal of life
    std::string full;                    // only whether the folder is there matters here
    const std::vector<WindowHandle> open = HeavyWeatherWindows(std::string(hw::kWindowTitle));
    if (!open.empty()) {
      // HeavyWeather is open already: left by a close that gave up, or opened
      // by the user to look at the data. A second copy would fight it for the
      // station's port; this run is that one, closed at its end as usual.
      TakeAsTheRun(station_.WindowProcess(open.front()),
                   "HeavyWeather déjà ouvert : sa fenêtre tient lieu de ce lancement.");
    } else if (StillRunning()) {
      // Its window is gone but it has not ended (it may still be saving, or
      // hang): no second copy while it lives.
      TakeAsTheRun(process_,
                   "HeavyWeather fonctionne encore, sans fenêtre « heavy weather » : il tient lieu "
                   "de ce lancement.");
    } else {
      NothingStuck();  // whatever was, has ended since
      if (chemin_hw_.empty()) {
        Tell(
            "HeavyWeather n'a pas été lancé : son dossier n'est pas connu. Choisissez-le par le "
            "menu Fichier, Chemin HeavyWeather.");
      } else if (const Outcome there = folders_.FullFolder(chemin_hw_, full); !there) {
        Tell(there.error + kNotLaunched);
      } else {
        Launch();
      }
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
  BeginRun(chemin_hw_);  // before HeavyWeather can write a byte
  const Outcome started = station_.StartProgram(JoinPath(chemin_hw_, hw::kProgramFile), chemin_hw_,
                                                hw::kShowState, process);
  if (!started) {
    run_began_ms_ = -1;
    Tell(started.error + kNotLaunched);
    return;
  }
  process_ = process;
  run_began_ms_ = asked_at;
  history_.Write("HeavyWeather lancé depuis « " + chemin_hw_ + " ».");
  wait_ = Wait::ForWindow;
  deadline_ = asked_at + timings_.window_wait_ms;
  keys_typed_ = 0;
  box_first_ = false;
  LookForWindow();
}

// The folder watched is that of the program that runs, where it can be
// asked: the user may have opened a HeavyWeather from another folder.
void OuvrFermHW::TakeAsTheRun(ProcessId process, const std::string& what) {
  Follow(process);
  std::string program;
  const std::string folder =
      process && station_.ProgramOf(process, program) && !FolderOf(program).empty()
          ? FolderOf(program)
          : chemin_hw_;
  BeginRun(folder);
  history_.Write(what);
}

void OuvrFermHW::BeginRun(const std::string& folder) {
  run_began_ms_ = clock_.MonotonicMs();
  run_began_at_ = clock_.Now();
  watch_.Start(folder);
}

void OuvrFermHW::Follow(ProcessId process) {
  if (process == process_) return;
  if (process_) station_.Release(process_);
  process_ = process && station_.Follow(process) ? process : 0;
}

bool OuvrFermHW::StillRunning() {
  if (process_ && station_.Ended(process_)) {
    station_.Release(process_);
    process_ = 0;
  }
  return process_ != 0;
}

void OuvrFermHW::OnAlarm() {
  if (wait_ == Wait::ForWindow) LookForWindow();
  if (wait_ == Wait::ForClose) ClosePass();
}

// The keystrokes go to whatever window is in front, so each string is typed
// only while HeavyWeather's main window is there: a station slow to show it
// must not have them typed into the user's own program, and a box it shows
// first (a question at start-up, an error) must not get them either: a space
// presses its default button. Then the main window is asked to minimise
// directly, and the box is left for the history to name at the end of the run.
void OuvrFermHW::LookForWindow() {
  static constexpr std::span<const KeyEvent> kStrings[] = {hw::kOpenWindowMenu, hw::kPickMinimise};
  while (keys_typed_ < 2) {
    const WindowHandle front = station_.ForegroundWindow();
    const std::vector<WindowHandle> mains = MainWindows();
    const bool main_in_front =
        front != 0 && std::find(mains.begin(), mains.end(), front) != mains.end();
    if (!main_in_front && front != 0 && process_ && station_.WindowProcess(front) == process_) {
      box_first_ = true;
    }
    if (box_first_ || !main_in_front) {
      const bool main_up = std::any_of(mains.begin(), mains.end(), [this](WindowHandle w) {
        return station_.WindowProcess(w) == process_;
      });
      const int64_t now = clock_.MonotonicMs();
      if (!(box_first_ && main_up) && now < deadline_ && !ending_ &&
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
  for (WindowHandle window : MainWindows()) {
    if (station_.WindowProcess(window) == process_ && !station_.IsMinimised(window)) {
      station_.Minimise(window);
    }
  }
}

std::vector<WindowHandle> OuvrFermHW::HeavyWeatherWindows(const std::string& title) const {
  std::vector<WindowHandle> windows = station_.WindowsTitled(title);
  std::erase_if(windows, [this](WindowHandle window) { return !IsHeavyWeathers(window); });
  return windows;
}

// Its main window: one titled so that is not a box, which a program's boxes
// often are (they carry its name).
std::vector<WindowHandle> OuvrFermHW::MainWindows() const {
  std::vector<WindowHandle> windows = HeavyWeatherWindows(std::string(hw::kWindowTitle));
  std::erase_if(windows, [this](WindowHandle window) { return station_.IsBox(window); });
  return windows;
}

// The title alone is not enough: Explorer titles a folder's window with the
// folder's name, and HeavyWeather's folder is often "Heavy Weather". A window
// is HeavyWeather's when its program file is "heavy weather.exe" or it is
// the run's own process; when its process can't be asked, its title decides.
bool OuvrFermHW::IsHeavyWeathers(WindowHandle window) const {
  const ProcessId process = station_.WindowProcess(window);
  if (process == 0) return false;  // gone meanwhile
  if (process == process_) return true;
  std::string program;
  return !station_.ProgramOf(process, program) || NamesProgramFile(program, hw::kProgramFile);
}

void OuvrFermHW::FermerHW() {
  if (wait_ == Wait::ForClose) return;  // under way: it goes on by itself
  wait_ = Wait::ForClose;               // a launch still looking stops here
  deadline_ = clock_.MonotonicMs() + timings_.close_bound_ms;
  first_pass_ = true;
  asked_.clear();
  if (run_began_ms_ >= 0) ReadShownWindows();
  ClosePass();
}

// One pass: a request to every window not asked lately, then a look at what
// is left; paced by the alarm, and bounded. The close is over when no window
// is left and the process has ended: until then HeavyWeather may still be
// writing its files and holding the station's port.
void OuvrFermHW::ClosePass() {
  const bool first_pass = std::exchange(first_pass_, false);
  FermerFenetre(std::string(hw::kWindowTitle));
  const bool process_left = StillRunning();
  if (HandleHW == 0 && !process_left) {
    if (run_began_ms_ >= 0) {
      const std::string verdict = JudgeTheRun();
      history_.Write(first_pass && asked_.empty()
               ? "HeavyWeather était déjà fermé quand Orvando allait le fermer" + verdict + "."
               : "HeavyWeather fermé, " +
                     std::to_string((clock_.MonotonicMs() - run_began_ms_) / 1000) +
                     " s après son lancement" + verdict + ".");
    }
    NothingStuck();
    return EndClose(false);
  }
  const int64_t now = clock_.MonotonicMs();
  // An alarm that can't be set (the system out of resources) ends the close
  // as its bound would: the schedule must not wait for it for ever.
  if (now >= deadline_ ||
      !alarm_.Set(static_cast<int>(std::min<int64_t>(deadline_ - now, timings_.pace_ms)),
                  [this] { OnAlarm(); })) {
    ReportStuck(HeavyWeatherWindows(std::string(hw::kWindowTitle)), process_left);
    return EndClose(true);
  }
}

// A run that recorded something and closed well gets its signal of life;
// not once Orvando is ending. A close that gave up has said what is stuck:
// whether that run recorded is no news, and would hide it.
void OuvrFermHW::EndClose(bool gave_up) {
  if (run_began_ms_ >= 0 && !gave_up) {
    CountRecording(verdict_);
    if (verdict_ == FolderWatch::Verdict::Recorded && !ending_) signal_.RunGood(history_.RunLines());
  }
  wait_ = Wait::None;
  HWLance = false;
  HandleHW = 0;
  run_began_ms_ = -1;
  asked_.clear();
}

void OuvrFermHW::ProgramEnding() {
  ending_ = true;
  if (wait_ == Wait::ForWindow) wait_ = Wait::None;
}

// A window that will not close, or a process that outlives its windows,
// stays; the next slot runs with it instead of starting a second copy, and
// its close gives up again. Orvando never kills it. The user hears of it
// once, not at every slot (again only when something else is stuck), and
// the notice keeps it while it lasts. What HeavyWeather shows now decides the
// advice: a box may ask a question or say it is still saving, and ending
// the program then would lose what it holds.
void OuvrFermHW::ReportStuck(const std::vector<WindowHandle>& windows, bool process_left) {
  std::string boxes;
  bool main_shown = false;
  for (const ShownWindow& shown : ShownWindows()) {
    if (IsMainWindow(shown)) {
      main_shown = true;
    } else {
      boxes += " HeavyWeather affiche " + WhatItSays(shown) + ".";
    }
  }
  const std::string after = "après " + std::to_string(timings_.close_bound_ms / 1000) + " secondes";
  std::string what = "HeavyWeather ne s'est pas fermé";
  if (!boxes.empty()) {
    what += " " + after + "." + boxes +
            " Répondez-y, ou fermez HeavyWeather vous-même : Orvando n'en lancera pas d'autre "
            "copie tant qu'il tourne.";
  } else if (main_shown) {
    what += " : sa fenêtre « heavy weather » est toujours ouverte " + after +
            ". Fermez HeavyWeather vous-même.";
  } else {
    what += " : sa fenêtre est fermée, mais son programme tourne toujours " + after +
            ". Orvando n'en lancera pas d'autre copie tant qu'il tourne. Fermez HeavyWeather "
            "vous-même (Gestionnaire des tâches).";
  }
  const bool known = what == reported_what_ &&
                     std::all_of(windows.begin(), windows.end(),
                                 [this](WindowHandle window) {
                                   return std::find(reported_stuck_.begin(), reported_stuck_.end(),
                                                    window) != reported_stuck_.end();
                                 }) &&
                     (!process_left || process_ == reported_process_);
  if (known) {
    history_.Write(what);  // the history keeps every one
  } else {
    Tell(what, true);
  }
  reported_stuck_ = windows;
  reported_process_ = process_left ? process_ : 0;
  reported_what_ = what;
}

void OuvrFermHW::NothingStuck() {
  reported_stuck_.clear();
  reported_process_ = 0;
  reported_what_.clear();
  notices_.LastingOver();
}

// What the notice tells the owner at the PC, the signal of life tells the
// monitoring service at the same moment. Once Orvando is ending, nobody is
// told: the history only.
void OuvrFermHW::Tell(const std::string& what, bool lasting) {
  history_.Write(what);
  if (ending_) return;
  if (lasting) {
    notices_.ReportLasting(what);
  } else {
    notices_.Report(what);
  }
  signal_.RunFailed(what, history_.RunLines());
}

// One close request per HeavyWeather window with that title, then patience:
// a window still there is asked again only every close_again_ms. A window
// that ignores it does not keep the others from being asked.
void OuvrFermHW::FermerFenetre(const std::string& title) {
  HWLance = false;
  const int64_t now = clock_.MonotonicMs();
  const std::vector<WindowHandle> windows = HeavyWeatherWindows(title);
  for (WindowHandle window : windows) {
    auto asked = std::find_if(asked_.begin(), asked_.end(),
                              [window](const auto& entry) { return entry.first == window; });
    if (asked != asked_.end() && now - asked->second < timings_.close_again_ms) continue;
    station_.PostToWindow(window, hw::kCloseMessage, hw::kCloseWParam, hw::kCloseLParam);
    if (asked == asked_.end()) {
      asked_.emplace_back(window, now);
    } else {
      asked->second = now;
    }
  }
  HandleHW = windows.empty() ? 0 : windows.front();
}

}  // namespace orvando
