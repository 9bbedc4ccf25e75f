#pragma once
// FormTimer: the main window's state and handlers. The start-up sequence,
// Start/Stop, the interval options, the quit question, and (launch_rules.cpp)
// the one-second tick with its five launch rules.

#include <cstdint>
#include <string>

#include "config/held_file.h"
#include "config/i_ofichier.h"
#include "history/history.h"
#include "main_window/form_timer_view.h"
#include "main_window/start_with_windows.h"
#include "windows/window_links.h"
#include "platform/alarm.h"
#include "platform/clock.h"
#include "platform/power.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/user_messages.h"
#include "station/ouvr_ferm_hw.h"
#include "station/signal_de_vie.h"

namespace orvando {

inline constexpr uint32_t kIndicatorDark = 128;    // dark red
inline constexpr uint32_t kIndicatorBright = 255;  // bright red
// A run lasts this many ticks a minute of its length (120 by default).
inline constexpr int kTicksPerMinute = 60;
inline constexpr const char* kQuitQuestion = "Arr\xC3\xAAter le timer et quitter ?";

class FormTimer : public OptionSelector, public MainWindowControl {
 public:
  struct Links {
    FormTimerView& view;
    const Clock& clock;
    I_Ofichier& config;
    OuvrFermHW& station;
    UserMessages& messages;
    SingleInstance& instance;
    InstallWindowControl& install;
    AboutWindowControl& about;
    Power& power;  // keeps the PC awake while armed
    StartWithWindows& start_with_windows;
    History& history;
    Shell& shell;  // opens the history
    // Paces the reads of a settings file another program holds at start-up.
    Alarm& alarm;
    SignalDeVie& signal;
    SignalWindowControl& signal_window;
  };
  explicit FormTimer(const Links& links);

  // Window-level state, as the window shows it.
  std::string Command1Caption = "Start";  // "Stop" exactly when armed
  uint32_t Label1BackColor = kIndicatorDark;
  std::string Label2Caption = "00:00:00";
  int OptionSelected = 0;
  std::string Duree;
  uint16_t CompteurTicks = 0;  // up to 600: a run of 10 minutes

  // The start-up sequence. False when another copy runs: the program must end
  // at once, its own window never shown; started by hand, the copy that runs
  // is brought to the front first. With `start_switch` (Windows starting
  // Orvando at sign-in), a settings file that gave a folder arms the schedule
  // as the Start button does; a first start ignores it.
  bool Form_Load(bool start_switch = false);
  void Command1_Click();
  void Option1_Click(int16_t index);
  void menuAbout_Click();
  // "Chemin HeavyWeather": the installation window, to change the folder.
  void menuModifFichier_Click();
  // "Aide": a few lines on what the program does and where things are.
  void menuAide_Click();
  std::string HelpText() const;
  // "Historique": the history in the user's text editor.
  void menuHistorique_Click();
  // "Durée mise en marche": the choice shown with a radio mark (0..3, in the
  // order of config::kRunMinutes), and choosing one. A run under way keeps
  // its length; the next one takes the new.
  int menuDuree_Selected() const;
  void menuDuree_Click(int choice);
  // "Démarrer avec Windows": its check mark, and choosing it.
  bool menuDemarrage_Checked() const;
  void menuDemarrage_Click();
  // "Signal de vie": the address called after each run that recorded.
  void menuSignal_Click();
  void Form_QueryUnload(int16_t& cancel, int16_t unload_mode);
  void Form_Unload(int16_t& cancel);
  void Timer1_Timer();

  // Called by the window's timer; runs Timer1_Timer once per second of the
  // local clock and returns the delay to arm for the next tick.
  int OnTimerEvent();

  bool Visible() const { return visible_; }
  bool Loaded() const { return loaded_; }

  // OptionSelector: the program selects an option; its handler always runs.
  void SelectOption(int index) override;
  // MainWindowControl.
  void Hide() override;
  void Show() override;
  bool Unload() override;
  // The unload once the question was answered Yes (Windows ending the session
  // asks first, then ends it). A close under way goes on to its end.
  void FinishUnload(bool session_ending = false);
  // Windows asks whether the session may end; true lets it. `critical`: it
  // ends whatever the answer, so nobody is asked.
  bool QueryEndSession(bool critical);
  // Windows tells whether the session ends after all: the answer given, the
  // reason shown meanwhile goes.
  void EndSession(bool ending);
  // The PC goes to sleep, and wakes.
  void OnSuspend();
  void OnResume();

 private:
  void Test15mn();
  void Test30mn();
  void Test1h();
  void Test3h();
  void Test6h();
  void LancerHW();
  // The settings file, read; read again later while another program holds it.
  void ReadSettings();
  void FirstStart();
  int DureeValue() const;
  void ToggleIndicator();
  // The one place the armed state changes: the caption, the indicator and
  // the power request follow it.
  void SetArmed(bool armed);
  // Rewrites the settings file after a choice, when there is one to rewrite.
  void SaveSettings();

  Links links_;
  bool visible_ = true;
  bool loaded_ = true;
  bool asking_quit_ = false;
  bool unreadable_file_ = false;  // the file held no folder at start-up, or is not read yet
  bool start_switch_ = false;
  HeldFile held_{links_.alarm, links_.clock};  // the settings file, held at start-up
  bool taking_file_ = false;                   // the settings file's values are being taken
  // The owner's choices while a held settings file waits to be read; -1, 0: none.
  int owner_option_ = -1;
  int owner_minutes_ = 0;
  std::string owner_folder_;
  bool owner_armed_ = false;  // pressed Start or Stop: /start no longer decides
  int last_tick_second_ = -1;
  int run_ticks_ = 120;  // the length of the run under way, taken at its launch
};

}  // namespace orvando
