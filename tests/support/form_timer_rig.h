#pragma once
// The main window's core with every link faked: the clock, the disk, the
// message boxes, the station control and the other two windows.

#include "fake_clock.h"
#include "fake_files.h"
#include "fake_form_timer.h"
#include "fake_messages.h"
#include "fake_shell.h"

namespace orvando::test {

struct FormTimerRig {
  FakeClock clock{9, 0, 0};
  FakeFiles files;
  FakeMessages messages;
  I_Ofichier config{files, messages};
  RecordingView view;
  FakeStationControl station;
  FakeInstance instance;
  FakeInstallWindow install;
  FakeAboutWindow about;
  FakePower power;
  FakeStartupEntry run_key;
  StartWithWindows start_with_windows{run_key, messages, "C:\\Orvando\\Orvando.exe"};
  History history{files, clock};
  FakeShell shell;
  FormTimer form{{view, clock, config, station, messages, instance, &install, &about, &power,
                  &start_with_windows, &history, &shell}};

  FormTimerRig() { config.SetOptionSelector(&form); }
};

}  // namespace orvando::test
