#include "main_window/form_timer.h"

#include <algorithm>
#include <iterator>

#include "config/config_format.h"
#include "main_window/form_timer_layout.h"

namespace orvando {

namespace {
// The interval options: the text each stores in Duree.
constexpr const char* kDureeTexts[] = {"15", "30", "1", "3", "6"};
constexpr int kOptionCount = 5;
}  // namespace

FormTimer::FormTimer(const Links& links) : links_(links) {}

bool FormTimer::Form_Load(bool start_switch) {
  // Topmost first, as the window is created; the result is not looked at.
  links_.view.MakeTopmost();
  if (links_.instance.AnotherCopyRunning()) {
    // Started again by hand, the user has lost the window behind others, or
    // thinks it did not start. Started by Windows, nobody asked for it.
    if (!start_switch && !links_.instance.ShowOtherCopy()) {
      links_.messages.ShowError(
          "Orvando fonctionne déjà sur ce PC, mais cette copie n'a pas répondu : une autre "
          "version d'Orvando, une copie lancée par un autre utilisateur ou en tant "
          "qu'administrateur, ou une copie qui attend une réponse. Une seule copie peut lancer "
          "HeavyWeather.");
    }
    return false;
  }
  links_.history.Write(start_switch ? "Orvando a démarré avec Windows (/start)."
                                    : "Orvando a démarré.");
  links_.signal.Load();
  start_switch_ = start_switch;
  if (links_.config.ConfigPresent()) {
    ReadSettings();
  } else {
    FirstStart();
  }
  return true;
}

// The installation window hides this one and may already write the file.
// Without a folder there is nothing to run: it asks for one, and the user
// presses Start once it is chosen.
void FormTimer::FirstStart() {
  links_.install.Show();
  SelectOption(0);
}

// A backup, sync or virus scan at sign-in may hold the file for a moment:
// that is not a first start, which would leave the schedule stopped until
// someone comes. It is read again from the alarm, and the schedule armed as
// soon as it reads. Meanwhile the first option stands in, and nothing is
// written: the file is left as it is. What the owner chooses meanwhile (an
// option, a run length) wins over what the file says once it reads.
//
// Started by Windows, nobody may be at the PC: whatever the read finds to
// tell (a file repaired, a rewrite refused, a file that can't be read) waits
// for nobody, and the schedule is armed before anything is shown.
void FormTimer::ReadSettings() {
  if (start_switch_) links_.messages.HoldErrors();
  // A folder chosen meanwhile ("Chemin HeavyWeather") is the owner's too.
  if (held_.Waiting()) owner_folder_ = links_.config.CheminHW;
  taking_file_ = true;
  const I_Ofichier::ReadOutcome read = links_.config.LireConfig();
  if (read != I_Ofichier::ReadOutcome::Busy) {
    // The reader selects the stored option itself, once the file is closed.
    unreadable_file_ = read == I_Ofichier::ReadOutcome::NoFolder;
    if (unreadable_file_) FirstStart();
    taking_file_ = false;
    held_.Over();
    if (!unreadable_file_ && start_switch_ && !owner_armed_ && Command1Caption != "Stop") {
      SetArmed(true);
    }
    return links_.messages.ShowHeldErrors();
  }
  taking_file_ = false;
  if (!held_.Waiting()) {
    unreadable_file_ = true;
    SelectOption(0);
  }
  if (held_.ReadAgain([this] { ReadSettings(); })) return links_.messages.ShowHeldErrors();
  const std::string text = links_.config.ReadError() + " Orvando a réessayé pendant " +
                           std::to_string(kHeldFileBoundMs / 60000) +
                           " minutes et n'est pas en marche. Fermez le programme qui tient ce "
                           "fichier ouvert (sauvegarde, synchronisation, antivirus), puis "
                           "relancez Orvando.";
  links_.history.Write(text);
  links_.messages.ShowError(text);
  links_.messages.ShowHeldErrors();
}

void FormTimer::Command1_Click() {
  owner_armed_ = owner_armed_ || held_.Waiting();  // the owner's to decide from now on
  SetArmed(Command1Caption == "Start");
}

void FormTimer::SetArmed(bool armed) {
  Command1Caption = armed ? "Stop" : "Start";
  // Armed, the indicator keeps its colour until the next tick.
  if (!armed) {
    Label1BackColor = kIndicatorDark;
    links_.view.ShowLabel1BackColor(Label1BackColor);
  }
  links_.view.ShowCommand1Caption(Command1Caption);
  links_.power.KeepSystemAwake(armed);
  links_.signal.SetArmed(armed);
  links_.history.Write(armed ? "Mise en marche, intervalle « " +
                                   std::string(form_timer_layout::kOptionCaptions[OptionSelected]) +
                                   " »."
                             : "Arrêt : plus aucun lancement jusqu'à la prochaine mise en marche.");
}

void FormTimer::Option1_Click(int16_t index) {
  if (index >= 0 && index < kOptionCount) Duree = kDureeTexts[index];
  links_.config.IndexDuree = static_cast<uint8_t>(index);
  SaveSettings();
}

void FormTimer::SaveSettings() {
  // A file that could not be read is left as it is until a folder is known
  // again: rewritten now it would hold an empty folder, which reads back as
  // a valid file, and the next start would not ask for the folder again.
  if (unreadable_file_ && links_.config.CheminHW.empty()) return;
  // A failed write leaves the new choice in effect; the user is told there.
  if (links_.config.ConfigPresent()) links_.config.EcrireConfig();
}

int FormTimer::menuDuree_Selected() const {
  const auto& choices = config::kRunMinutes;
  const auto* found = std::find(std::begin(choices), std::end(choices), links_.config.RunMinutes);
  return found == std::end(choices) ? 0 : static_cast<int>(found - std::begin(choices));
}

void FormTimer::menuDuree_Click(int choice) {
  if (choice < 0 || choice >= static_cast<int>(std::size(config::kRunMinutes))) return;
  links_.config.RunMinutes = config::kRunMinutes[choice];
  if (held_.Waiting()) owner_minutes_ = links_.config.RunMinutes;
  links_.history.Write("Durée de mise en marche : " + std::to_string(links_.config.RunMinutes) +
                       " minutes, dès le prochain lancement.");
  SaveSettings();
}

void FormTimer::SelectOption(int index) {
  // Only five buttons exist; the settings reader never hands over another
  // index, and anything else falls back to the first option.
  if (index < 0 || index >= kOptionCount) index = 0;
  // Chosen while a held settings file waits to be read, the owner's choice
  // is kept for that read, and wins over the file's.
  if (held_.Waiting() && !taking_file_) owner_option_ = index;
  if (taking_file_ && owner_option_ >= 0) index = owner_option_;
  if (taking_file_ && owner_minutes_ > 0) links_.config.RunMinutes = owner_minutes_;
  if (taking_file_ && !owner_folder_.empty()) links_.config.CheminHW = owner_folder_;
  OptionSelected = index;
  links_.view.ShowOptionSelected(index);
  Option1_Click(static_cast<int16_t>(index));
}

void FormTimer::menuAbout_Click() {
  links_.about.Show();
}

void FormTimer::menuModifFichier_Click() {
  links_.install.ShowToChange();
}

void FormTimer::menuAide_Click() {
  links_.messages.ShowInformation(HelpText());
}

std::string FormTimer::HelpText() const {
  return "Orvando lance HeavyWeather à intervalles réguliers, le laisse relever les données "
         "de la station pendant deux minutes (ou la durée choisie), puis le ferme.\n\n"
         "• « 15 mn », « 30 mn », « 1 h » : un lancement au début de chaque quart d'heure, "
         "demi-heure ou heure.\n"
         "• « 3 h », « 6 h » : pendant chaque heure multiple de 3 (ou de 6), HeavyWeather est "
         "relancé dès qu'il est fermé, toute l'heure durant.\n"
         "• Start met le programme en marche (le voyant clignote), Stop l'arrête.\n"
         "• Durée mise en marche (menu Option) : 3, 5 ou 10 minutes laissent à HeavyWeather le "
         "temps de tout relire, après une longue coupure du PC ou quand l'historique dit « rien "
         "enregistré ».\n"
         "• Si HeavyWeather n'a pas pu être lancé ou ne s'est pas fermé, un avis le dit, avec "
         "l'heure. Les lancements suivants ont lieu quand même.\n"
         "• Vos réglages sont enregistrés dans le fichier " +
         links_.config.ConfigPath() +
         ".\n"
         "• Ce qui s'est passé, jour par jour (lancements, fermetures, échecs, arrêts) : menu "
         "Fichier, Historique.\n"
         "• Pour changer le dossier de HeavyWeather : menu Fichier, Chemin HeavyWeather.\n"
         "• Pour qu'Orvando démarre avec Windows, déjà en marche : menu Option, Démarrer avec "
         "Windows. " +
         links_.start_with_windows.SignInText() +
         "\n"
         "• Pour être prévenu loin du PC quand la station se tait : menu Option, Signal de vie.";
}

void FormTimer::menuHistorique_Click() {
  if (!links_.history.Exists()) {
    links_.messages.ShowInformation(
        "Il n'y a pas encore d'historique : le fichier " + links_.history.Path() +
        " n'existe pas. Orvando l'écrit dans son propre dossier ; vérifiez que ce dossier "
        "n'est pas en lecture seule.");
    return;
  }
  links_.shell.OpenDocument(links_.history.Path());
}

bool FormTimer::menuDemarrage_Checked() const {
  return links_.start_with_windows.Checked();
}

void FormTimer::menuDemarrage_Click() {
  links_.start_with_windows.Toggle();
}

void FormTimer::menuSignal_Click() {
  links_.signal_window.Show();
}

void FormTimer::Form_QueryUnload(int16_t& cancel, int16_t /*unload_mode*/) {
  // One question at a time: a second close request while it is on screen
  // (another program posting WM_CLOSE) is turned down.
  if (asking_quit_) {
    cancel = 1;
    return;
  }
  asking_quit_ = true;
  const bool yes = links_.messages.AskYesNo(kQuitQuestion);
  asking_quit_ = false;
  if (!yes) cancel = 1;
}

void FormTimer::Form_Unload(int16_t& /*cancel*/) {
  // A HeavyWeather under way is left running; the file is not written.
  links_.about.Unload();
  links_.signal_window.Unload();
}

bool FormTimer::Unload() {
  if (!loaded_) return true;
  int16_t cancel = 0;
  Form_QueryUnload(cancel, 0);
  if (cancel) return false;
  FinishUnload();
  return true;
}

void FormTimer::FinishUnload(bool session_ending) {
  if (!loaded_) return;
  int16_t cancel = 0;
  Form_Unload(cancel);
  loaded_ = false;
  visible_ = false;
  links_.power.KeepSystemAwake(false);
  links_.station.ProgramEnding();
  links_.history.Write(session_ending ? "Orvando s'est fermé avec la session Windows."
                                      : "Orvando s'est fermé.");
  links_.view.Destroy();
}

void FormTimer::OnSuspend() {
  links_.history.Write("Le PC se met en veille.");
}

void FormTimer::OnResume() {
  links_.history.Write("Le PC sort de veille.");
}

// Someone may be at the PC: the quit question is asked as for the close box,
// and Windows' list of programs holding the restart shows it meanwhile. Where
// nobody can answer in time, the session ends: a critical end, or a question
// already on screen (the user had asked to quit and walked away).
//
// After No the reason stays until Windows says the session goes on (or ends
// after all): Windows shows it in its list once our answer has come back.
bool FormTimer::QueryEndSession(bool critical) {
  if (critical || asking_quit_) return true;
  links_.view.SetSessionEndReason(kQuitQuestion);
  int16_t cancel = 0;
  Form_QueryUnload(cancel, 2);
  if (cancel == 0) links_.view.SetSessionEndReason("");
  return cancel == 0;
}

void FormTimer::EndSession(bool ending) {
  links_.view.SetSessionEndReason("");
  if (ending) FinishUnload(true);
}

void FormTimer::Hide() {
  visible_ = false;
  links_.view.SetVisible(false);
}

void FormTimer::Show() {
  if (!loaded_) return;
  visible_ = true;
  links_.view.SetVisible(true);
}

}  // namespace orvando
