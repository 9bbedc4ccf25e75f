#pragma once
// What the station control needs besides a desktop, for tests that don't look
// at all of it: a history in memory, the notice, and a signal of life without
// an address, which sends nothing.

#include <functional>
#include <string>

#include "fake_files.h"
#include "fake_http.h"
#include "history/history.h"
#include "platform/alarm.h"
#include "station/notices.h"
#include "station/ouvr_ferm_hw.h"
#include "station/signal_de_vie.h"

namespace orvando::test {

// An alarm that can't be set: a held settings file is given up at once.
struct NoAlarm : Alarm {
  bool Set(int, std::function<void()>) override { return false; }
};

struct StationExtras {
  StationExtras(const Clock& clock, UserMessages& messages)
      : history(files, clock),
        notices(messages, clock),
        signal(ini, http, clock, no_alarm, notices, history) {}

  // The station control's links, over this desktop.
  OuvrFermHW::Links Links(const std::string& chemin, const Folders& folders,
                          StationPlatform& station, Alarm& alarm, const Clock& clock,
                          StationTimings timings = {}) {
    return {chemin, folders, station, alarm, clock, notices, history, signal, timings};
  }
  std::string Log() const { return files.Content(history.Path()); }

  FakeFiles files;
  History history;
  Notices notices;
  OrvandoIni ini{files};
  FakeHttp http;
  NoAlarm no_alarm;
  SignalDeVie signal;
};

}  // namespace orvando::test
