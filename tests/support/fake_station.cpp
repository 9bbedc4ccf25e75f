#include "fake_station.h"

#include <algorithm>

#include "platform/text.h"

namespace orvando::test {

WindowHandle FakeStation::AddWindow(FakeWindow window) {
  window.handle = next_handle_++;
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
  process = next_process_++;
  programs[process] = program;
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
    windows_.erase(std::find_if(windows_.begin(), windows_.end(),
                                [&](const FakeWindow& x) { return x.handle == window; }));
  }
  return true;
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

bool FakeStation::SendKeys(std::span<const KeyEvent> keys) {
  const WindowHandle to = ForegroundWindow();
  calls.push_back("keys " + std::to_string(to));
  keys_to.push_back(to);
  keys_sent.emplace_back(keys.begin(), keys.end());
  return true;
}

}  // namespace orvando::test
