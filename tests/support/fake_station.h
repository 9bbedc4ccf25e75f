#pragma once
// A desktop for core tests: simulated windows that appear when the fake clock
// says so, come to the front or not, and close after some number of close
// requests (or never). Every call is recorded in order.

#include <map>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "platform/station.h"

namespace orvando::test {

// A program's process, apart from its windows: it ends `lingers_ms` after
// its last window has gone (saving its files, letting go of the port), or
// at `ends_at` when set.
struct FakeProcess {
  int64_t lingers_ms = 0;     // -1: never ends by itself
  int64_t ends_at = -1;       // monotonic ms; -1: not decided yet
  bool other_rights = false;  // runs elevated, or as another user: can't be followed
};

struct FakeWindow {
  WindowHandle handle = 0;
  std::string title;
  ProcessId process = 0;
  bool minimised = false;
  int closes_after = 1;  // close requests it takes to go; 0: never goes
  int close_requests = 0;
  int64_t appears_at = 0;       // monotonic ms
  bool comes_to_front = false;  // becomes the foreground window as it appears
  bool box = false;             // a dialog box, or an owned window
};

class FakeStation : public StationPlatform {
 public:
  explicit FakeStation(FakeClock& clock) : clock_(clock) {}

  // What StartProgram does: fail with `start_error` when it is set, otherwise
  // start a process which, when `started_window` is set, shows that window
  // `window_delay_ms` later (its handle and process are filled in).
  std::string start_error;
  bool started_window = true;
  int window_delay_ms = 0;
  FakeWindow window_template{0, "heavy weather", 0, false, 1, 0, 0, true};
  FakeProcess process_template;
  // What StartProgram also shows, before the main window: a box of the
  // started process that comes to the front at once (a question at
  // start-up). Empty title: none.
  std::string box_first_title;

  // Adds a window now (or later, by `appears_at`); returns its handle.
  WindowHandle AddWindow(FakeWindow window);
  const FakeWindow* Find(WindowHandle handle) const;
  FakeWindow* Window(WindowHandle handle) { return Live(handle); }
  int OpenWindows() const;

  // Each process's program file, as far as it can be asked: the programs
  // StartProgram started, and whatever the test adds. A process not listed
  // can't be asked.
  std::map<ProcessId, std::string> programs;
  // What each process shows besides its windows above (its boxes), which it
  // shows too.
  std::map<ProcessId, std::vector<ShownWindow>> shown;
  // What a process shows in answer to a close request that took its window
  // away (a "save?" box); empty title: nothing.
  ShownWindow box_on_close;
  // Every process: those StartProgram started, and those of the windows the
  // test adds.
  mutable std::map<ProcessId, FakeProcess> processes;
  std::map<ProcessId, int> followed;  // by Follow or StartProgram, until Release
  ProcessId last_started = 0;
  // The processes that run now; never more than one HeavyWeather at once.
  int Running() const;
  bool Alive(ProcessId process) const;
  // May be a window we don't simulate (another program's).
  mutable WindowHandle foreground = 0;
  std::vector<std::string> calls;
  std::vector<WindowHandle> keys_to;  // the foreground window of each SendKeys
  std::vector<std::vector<KeyEvent>> keys_sent;
  mutable int searches = 0;   // WindowsTitled calls
  int starts = 0, posts = 0;  // StartProgram and PostToWindow calls

  Outcome StartProgram(const std::string& program, const std::string& folder, int show_state,
                       ProcessId& process) override;
  std::vector<WindowHandle> WindowsTitled(const std::string& title) const override;
  bool PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                    int64_t lparam) override;
  WindowHandle ForegroundWindow() const override;
  ProcessId WindowProcess(WindowHandle window) const override;
  bool ProgramOf(ProcessId process, std::string& program) const override;
  bool IsMinimised(WindowHandle window) const override;
  bool IsBox(WindowHandle window) const override {
    const FakeWindow* w = Live(window);
    return w && w->box;
  }
  void Minimise(WindowHandle window) override;
  std::vector<ShownWindow> WindowsShownBy(ProcessId process) const override;
  bool SendKeys(std::span<const KeyEvent> keys) override;
  bool Follow(ProcessId process) override;
  bool Ended(ProcessId process) const override;
  void Release(ProcessId process) override;

 private:
  bool HasWindows(ProcessId process) const;
  // Windows whose time has come appear (lazily, at the next question).
  void Appear() const;
  FakeWindow* Live(WindowHandle handle) const;

  FakeClock& clock_;
  mutable std::vector<FakeWindow> windows_;  // appeared or due to appear
  WindowHandle next_handle_ = 0x100;
  ProcessId next_process_ = 500;
};

}  // namespace orvando::test
