#pragma once
// The alarm as a loop of events would ring it: moving the fake clock on rings
// it at its time, in between the ticks the test runs.

#include <algorithm>
#include <functional>
#include <utility>

#include "fake_clock.h"
#include "platform/alarm.h"

namespace orvando::test {

class FakeAlarm : public Alarm {
 public:
  explicit FakeAlarm(FakeClock& clock) : clock_(clock) {}

  bool Set(int ms, std::function<void()> ring) override {
    due_ = clock_.MonotonicMs() + std::max(ms, 0);
    ring_ = std::move(ring);
    return true;
  }
  bool Pending() const { return ring_ != nullptr; }
  int rings = 0;

  // Moves the clock on by `ms`, ringing the alarm whenever it falls due.
  void Advance(int64_t ms) {
    const int64_t end = clock_.MonotonicMs() + ms;
    while (ring_ && due_ <= end) {
      clock_.Advance(std::max<int64_t>(due_ - clock_.MonotonicMs(), 0));
      ++rings;
      std::exchange(ring_, nullptr)();
    }
    clock_.Advance(end - clock_.MonotonicMs());
  }
  // Rings it until it is no longer set, at most `ms` on.
  void RunOut(int64_t ms = 3'600'000) {
    const int64_t end = clock_.MonotonicMs() + ms;
    while (ring_ && due_ <= end) Advance(std::max<int64_t>(due_ - clock_.MonotonicMs(), 0));
  }

 private:
  FakeClock& clock_;
  std::function<void()> ring_;
  int64_t due_ = 0;
};

}  // namespace orvando::test
