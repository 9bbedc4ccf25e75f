#pragma once
// Doubles for the main window's core: a view that records what it was told to
// show, and the other windows.

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

class FakeInstance : public SingleInstance {
 public:
  bool AnotherCopyRunning() override {
    ++asked;
    return another;
  }
  bool ShowOtherCopy() override {
    ++shown;
    return other_answers;
  }
  bool another = false;
  bool other_answers = true;  // false: another user's copy, or an elevated one
  int asked = 0;
  int shown = 0;
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

// The Run value (empty: none), Task Manager's switch, and registry writes
// that may be refused.
struct FakeStartupEntry : StartupEntry {
  bool Read(std::string& command) const override { return !(command = value).empty(); }
  Outcome Write(const std::string& command) override {
    const Outcome written = Set(command);
    writes += written.ok;
    return written;
  }
  Outcome Remove() override { return Set(""); }
  bool TurnedOff() const override { return turned_off; }
  Outcome TurnOn() override {
    if (refuse) return Outcome::Fail("Accès refusé.");
    turned_off = false;
    return Outcome::Ok();
  }
  bool SignsInAutomatically() const override { return signs_in; }
  Outcome Set(const std::string& command) {
    if (refuse) return Outcome::Fail("Accès refusé.");
    value = command;
    return Outcome::Ok();
  }
  std::string value;
  int writes = 0;
  bool turned_off = false;
  bool refuse = false;
  bool signs_in = false;  // automatic sign-in set for this user
};

struct FakeSignalWindow : SignalWindowControl {
  void Show() override { ++shows; }
  void Unload() override { ++unloads; }
  int shows = 0;
  int unloads = 0;
};

struct FakeAboutWindow : AboutWindowControl {
  void Show() override { ++shows; }
  void Unload() override { ++unloads; }
  int shows = 0;
  int unloads = 0;
};

}  // namespace orvando::test
