#include "fake_station.h"

#include <algorithm>

#include "platform/text.h"

namespace orvando::test {

WindowHandle FakeStation::AddWindow(FakeWindow window) {
  window.handle = next_handle_++;
  processes.try_emplace(window.process);
  windows_.push_back(window);
  Appear();
  return window.handle;
}

void FakeStation::Appear() const {
  for (auto& w : windows_) {
    if (w.appears_at >= 0 && w.appears_at <= clock_.MonotonicMs()) {
      if (w.comes_to_front) foreground = w.handle;
      w.appears_at = -1;  // appeared
    }
  }
}

FakeWindow* FakeStation::Live(WindowHandle handle) const {
  Appear();
  for (auto& w : windows_) {
    if (w.handle == handle && w.appears_at < 0) return &w;
  }
  return nullptr;
}

const FakeWindow* FakeStation::Find(WindowHandle handle) const {
  return Live(handle);
}

int FakeStation::OpenWindows() const {
  Appear();
  return static_cast<int>(std::count_if(windows_.begin(), windows_.end(),
                                        [](const FakeWindow& w) { return w.appears_at < 0; }));
}

Outcome FakeStation::StartProgram(const std::string& program, const std::string& folder,
                                  int show_state, ProcessId& process) {
  ++starts;
  calls.push_back("start " + program + " | " + folder + " | " + std::to_string(show_state));
  if (!start_error.empty()) return Outcome::Fail(start_error);
  process = last_started = next_process_++;
  programs[process] = program;
  processes[process] = process_template;
  ++followed[process];
  if (!box_first_title.empty()) {
    AddWindow({0, box_first_title, process, false, 0, 0, 0, true, true});
  }
  if (started_window) {
    FakeWindow w = window_template;
    w.process = process;
    w.appears_at = clock_.MonotonicMs() + window_delay_ms;
    AddWindow(w);
  }
  return Outcome::Ok();
}

std::vector<WindowHandle> FakeStation::WindowsTitled(const std::string& title) const {
  ++searches;
  Appear();
  std::vector<WindowHandle> found;
  for (const auto& w : windows_) {
    if (w.appears_at < 0 && SameText(w.title, title)) found.push_back(w.handle);
  }
  return found;
}

bool FakeStation::PostToWindow(WindowHandle window, uint32_t message, uint64_t wparam,
                               int64_t lparam) {
  ++posts;
  calls.push_back("post " + std::to_string(window) + " " + std::to_string(message) + " " +
                  std::to_string(wparam) + " " + std::to_string(lparam));
  FakeWindow* w = Live(window);
  if (!w) return false;
  if (++w->close_requests == w->closes_after) {
    if (foreground == window) foreground = 0;
    const ProcessId process = w->process;
    windows_.erase(std::find_if(windows_.begin(), windows_.end(),
                                [&](const FakeWindow& x) { return x.handle == window; }));
    if (!box_on_close.title.empty()) shown[process].push_back(box_on_close);
    FakeProcess& p = processes[process];
    if (!HasWindows(process) && p.ends_at < 0 && p.lingers_ms >= 0) {
      p.ends_at = clock_.MonotonicMs() + p.lingers_ms;
    }
  }
  return true;
}

bool FakeStation::HasWindows(ProcessId process) const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [&](const FakeWindow& w) { return w.process == process; });
}

// A process with no window from the start (one that failed early) ends at
// once, unless it lingers.
bool FakeStation::Alive(ProcessId process) const {
  const auto it = processes.find(process);
  if (it == processes.end()) return false;
  FakeProcess& p = it->second;
  if (p.ends_at < 0 && !HasWindows(process) && p.lingers_ms >= 0) {
    p.ends_at = clock_.MonotonicMs() + p.lingers_ms;
  }
  return p.ends_at < 0 || clock_.MonotonicMs() < p.ends_at;
}

// Those that have ended and are not followed are forgotten: a month of runs
// leaves no heap of them.
int FakeStation::Running() const {
  std::erase_if(processes, [this](const auto& p) {
    return !followed.count(p.first) && !Alive(p.first) && !HasWindows(p.first);
  });
  return static_cast<int>(std::count_if(processes.begin(), processes.end(),
                                        [this](const auto& p) { return Alive(p.first); }));
}

bool FakeStation::Follow(ProcessId process) {
  calls.push_back("follow " + std::to_string(process));
  const auto it = processes.find(process);
  if (it == processes.end() || it->second.other_rights || !Alive(process)) return false;
  ++followed[process];
  return true;
}

bool FakeStation::Ended(ProcessId process) const {
  return !followed.count(process) || !Alive(process);
}

void FakeStation::Release(ProcessId process) {
  const auto it = followed.find(process);
  if (it != followed.end() && --it->second == 0) followed.erase(it);
}

WindowHandle FakeStation::ForegroundWindow() const {
  Appear();
  return foreground;
}

ProcessId FakeStation::WindowProcess(WindowHandle window) const {
  const FakeWindow* w = Live(window);
  return w ? w->process : 0;
}

bool FakeStation::ProgramOf(ProcessId process, std::string& program) const {
  const auto it = programs.find(process);
  if (it == programs.end()) return false;
  program = it->second;
  return true;
}

bool FakeStation::IsMinimised(WindowHandle window) const {
  const FakeWindow* w = Live(window);
  return w && w->minimised;
}

void FakeStation::Minimise(WindowHandle window) {
  calls.push_back("minimise " + std::to_string(window));
  if (FakeWindow* w = Live(window)) w->minimised = true;
}

std::vector<ShownWindow> FakeStation::WindowsShownBy(ProcessId process) const {
  Appear();
  std::vector<ShownWindow> found;
  for (const auto& w : windows_) {
    if (w.appears_at < 0 && w.process == process) found.push_back({w.title, "", w.box});
  }
  const auto it = shown.find(process);
  if (it != shown.end()) found.insert(found.end(), it->second.begin(), it->second.end());
  return found;
}

bool FakeStation::SendKeys(std::span<const KeyEvent> keys) {
  const WindowHandle to = ForegroundWindow();
  calls.push_back("keys " + std::to_string(to));
  keys_to.push_back(to);
  keys_sent.emplace_back(keys.begin(), keys.end());
  return true;
}

}  // namespace orvando::test
