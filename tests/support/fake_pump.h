#pragma once
// An event pump for tests: waiting moves the fake clock, and "pending events"
// are whatever the test queued as callbacks.

#include <cstdint>
#include <deque>
#include <functional>

#include "fake_clock.h"
#include "platform/event_pump.h"

namespace orvando::test {

class FakePump : public EventPump {
 public:
  explicit FakePump(FakeClock& clock) : clock_(clock) {}

  void LetPendingEventsRun() override;
  void WaitWithEvents(int ms) override;
  bool QuitRequested() const override { return quit_requested; }

  // Runs once, at the next time events are let run.
  void Post(std::function<void()> event) { pending_.push_back(std::move(event)); }
  // Runs every time events are let run (e.g. the station acting on messages).
  std::function<void()> on_events;

  int pumps = 0;          // times events were let run
  int64_t waited_ms = 0;  // total time spent in WaitWithEvents
  bool quit_requested = false;

 private:
  FakeClock& clock_;
  std::deque<std::function<void()>> pending_;
};

}  // namespace orvando::test
