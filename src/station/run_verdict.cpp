// What a run left behind: what HeavyWeather's own windows said before the
// close request, whether it recorded anything once it had ended, and the
// count of runs in a row that recorded nothing.
#include <algorithm>

#include "platform/text.h"
#include "station/heavy_weather.h"
#include "station/ouvr_ferm_hw.h"

namespace orvando {
namespace {

// What a window says, on one line of the history, and not a whole screen.
constexpr size_t kMostShownText = 300;

// Line ends and tabs become single spaces.
std::string OneLine(const std::string& lines) {
  std::string text;
  for (const char c : lines) {
    const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
    if (!blank || (!text.empty() && text.back() != ' ')) text += blank ? ' ' : c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() <= kMostShownText) return text;
  size_t cut = kMostShownText;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // UTF-8
  return text.substr(0, cut) + "…";
}

}  // namespace

std::vector<ShownWindow> OuvrFermHW::ShownWindows() const {
  std::vector<ProcessId> processes;
  if (process_) processes.push_back(process_);
  for (WindowHandle window : HeavyWeatherWindows(std::string(hw::kWindowTitle))) {
    const ProcessId process = station_.WindowProcess(window);
    if (std::find(processes.begin(), processes.end(), process) == processes.end()) {
      processes.push_back(process);
    }
  }
  std::vector<ShownWindow> shown;
  for (ProcessId process : processes) {
    for (ShownWindow& window : station_.WindowsShownBy(process)) shown.push_back(std::move(window));
  }
  return shown;
}

bool OuvrFermHW::IsMainWindow(const ShownWindow& shown) {
  return !shown.box && SameText(shown.title, hw::kWindowTitle);
}

std::string OuvrFermHW::WhatItSays(const ShownWindow& shown) {
  const std::string text = OneLine(shown.text);
  return "« " + OneLine(shown.title) + " »" + (text.empty() ? "" : " : « " + text + " »");
}

void OuvrFermHW::ReadShownWindows() {
  for (const ShownWindow& shown : ShownWindows()) {
    if (!IsMainWindow(shown)) history_.Write("HeavyWeather affichait " + WhatItSays(shown) + ".");
  }
}

std::string OuvrFermHW::JudgeTheRun() {
  std::string why;
  verdict_ = watch_.Look(why);
  switch (verdict_) {
    case FolderWatch::Verdict::Recorded:
      return "";
    case FolderWatch::Verdict::Nothing:
      return ", sans avoir rien enregistré dans son dossier";
    case FolderWatch::Verdict::Unknown:
      break;
  }
  return ", sans pouvoir vérifier son dossier : " + why;
}

// One such run alone is only a line of the history: a run may fall between
// two of the station's readings. The schedule goes on in every case. A run
// whose folder could not be looked at proves nothing: it neither counts
// toward the notice nor ends a streak.
void OuvrFermHW::CountRecording(FolderWatch::Verdict verdict) {
  if (verdict == FolderWatch::Verdict::Unknown) return;
  if (verdict == FolderWatch::Verdict::Recorded) {
    if (silent_runs_ > 0) {
      history_.Write("HeavyWeather enregistre de nouveau dans son dossier, après " +
           std::to_string(silent_runs_) + (silent_runs_ == 1 ? " lancement" : " lancements") +
           " sans rien enregistrer.");
    }
    silent_runs_ = 0;
    return;
  }
  if (silent_runs_++ == 0) silent_since_ = run_began_at_;
  if (silent_runs_ < 2) return;
  Tell("HeavyWeather n'a rien enregistré dans son dossier lors des " +
       std::to_string(silent_runs_) + " derniers lancements, depuis celui du " +
       FrenchDayText(silent_since_) + " à " + HourMinute(silent_since_) +
       ". Vérifiez le câble et le port de la station (COM, adaptateur USB), les messages de "
       "HeavyWeather (menu Fichier, Historique) et les piles de la station.");
}

}  // namespace orvando
