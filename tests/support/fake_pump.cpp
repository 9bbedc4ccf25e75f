#include "fake_pump.h"

namespace orvando::test {

void FakePump::LetPendingEventsRun() {
  ++pumps;
  std::deque<std::function<void()>> now;
  now.swap(pending_);
  for (auto& event : now) event();
  if (on_events) on_events();
}

void FakePump::WaitWithEvents(int ms) {
  clock_.Advance(ms);
  waited_ms += ms;
  LetPendingEventsRun();
}

}  // namespace orvando::test
