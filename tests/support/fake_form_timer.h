#pragma once
// Doubles for the main window's core: a view that records what it was told to
// show, a station that only keeps the launch flag, and the other windows.

#include <functional>
#include <string>
#include <vector>

#include "main_window/form_timer.h"

namespace orvando::test {

class RecordingView : public FormTimerView {
 public:
  void ShowCommand1Caption(const std::string& c) override { command1 = c; }
  void ShowLabel1BackColor(uint32_t c) override { label1 = c; }
  void ShowLabel2Caption(const std::string& c) override { label2 = c; }
  void ShowOptionSelected(int i) override { option = i; }
  void MakeTopmost() override { events.push_back("topmost"); }
  void SetVisible(bool v) override { events.push_back(v ? "show" : "hide"); }
  void SetSessionEndReason(const std::string& r) override { events.push_back("reason " + r); }
  void Destroy() override { events.push_back("destroy"); }

  std::string command1 = "Start";
  uint32_t label1 = 128;
  std::string label2 = "00:00:00";
  int option = 0;
  std::vector<std::string> events;
};

// HWLance as the station control keeps it: set by every Open, cleared by
// Close. A launch and a close are recorded with the tick they happened on.
class FakeStationControl : public StationControl {
 public:
  bool Launched() const override { return launched; }
  void Open() override {
    ++open_calls;
    if (!launched) ++starts;
    launched = true;
  }
  void Close() override {
    ++closes;
    launched = false;
    if (on_close) on_close();  // events the close's wait would run
  }
  bool Busy() const override { return busy; }

  bool launched = false;
  bool busy = false;
  int open_calls = 0;
  int starts = 0;
  int closes = 0;
  std::function<void()> on_close;
};

class FakeInstance : public SingleInstance {
 public:
  bool AnotherCopyRunning() override {
    ++asked;
    return another;
  }
  bool another = false;
  int asked = 0;
};

struct FakeInstallWindow : InstallWindowControl {
  void Show() override { ++shows; }
  void ShowToChange() override { ++changes; }
  int shows = 0;
  int changes = 0;
};

// The power request as Windows would hold it, with every change asked for.
struct FakePower : Power {
  void KeepSystemAwake(bool awake) override {
    held = awake;
    calls.push_back(awake);
  }
  bool held = false;
  std::vector<bool> calls;
};

// The Run value (empty: none), and registry writes that may be refused.
struct FakeStartupEntry : StartupEntry {
  bool Read(std::string& command) const override { return !(command = value).empty(); }
  Outcome Write(const std::string& command) override { return Set(command); }
  Outcome Remove() override { return Set(""); }
  Outcome Set(const std::string& command) {
    if (refuse) return Outcome::Fail("Accès refusé.");
    value = command;
    return Outcome::Ok();
  }
  std::string value;
  bool refuse = false;
};

struct FakeAboutWindow : AboutWindowControl {
  void Show() override { ++shows; }
  void Unload() override { ++unloads; }
  int shows = 0;
  int unloads = 0;
};

}  // namespace orvando::test
