#pragma once
// The main window's core with every link faked: the clock, the disk, the
// message boxes, the other two windows, and the desktop the real station
// control starts and closes HeavyWeather on.

#include "fake_alarm.h"
#include "fake_clock.h"
#include "fake_files.h"
#include "fake_folders.h"
#include "fake_form_timer.h"
#include "fake_http.h"
#include "fake_messages.h"
#include "fake_shell.h"
#include "fake_station.h"

namespace orvando::test {

struct FormTimerRig {
  FakeClock clock{9, 0, 0};
  FakeFiles files;
  FakeMessages messages;
  RecordingView view;
  FakeFolders folders;
  FakeStation station{clock};
  FakeAlarm alarm{clock};           // the station control's
  FakeAlarm settings_alarm{clock};  // the main window's, for a settings file held at start-up
  FakeAlarm signal_alarm{clock};    // the signal's, for Orvando.ini
  FakeInstance instance;
  FakeInstallWindow install;
  FakeAboutWindow about;
  FakePower power;
  FakeStartupEntry run_key;
  FakeShell shell;
  FakeSignalWindow signal_window;
  // As the program holds them: the main window's core takes the settings and
  // the station control, built after it, by their own type.
  FormTimer form{Links(messages)};
  I_Ofichier config{files, messages, &form};
  History history{files, clock};
  Notices notices{messages, clock};
  OuvrFermHW hw;
  StartWithWindows start_with_windows{run_key, messages, "C:\\Orvando\\Orvando.exe"};
  FakeHttp http;
  OrvandoIni ini{files};
  SignalDeVie signal{ini, http, clock, signal_alarm, notices, history};

  explicit FormTimerRig(StationTimings timings = {})
      : hw({config.CheminHW, folders, station, alarm, clock, notices, history, signal, timings}) {
    folders.existing = {"C:\\Meteo"};
    files.clock = &clock;
  }

  // The main window's links, its messages shown by `shown`.
  FormTimer::Links Links(UserMessages& shown) {
    return {view,     clock,   config,         hw,     shown,
            instance, install, about,          power,  start_with_windows,
            history,  shell,   settings_alarm, signal, signal_window};
  }

  // One tick a second for `seconds`, the alarm ringing in between, as the
  // program's loop runs them.
  void Tick(int64_t seconds) {
    for (int64_t i = 0; i < seconds; ++i) {
      alarm.Advance(1000);
      form.OnTimerEvent();
    }
  }

  // HeavyWeather started, and the close requests posted to it.
  int Starts() const { return station.starts; }
  int Posts() const { return station.posts; }
};

}  // namespace orvando::test
