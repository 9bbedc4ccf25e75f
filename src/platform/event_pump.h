#pragma once
// Letting pending window events of this program run, from inside a handler.

namespace orvando {

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the events already waiting, then returns.
  virtual void LetPendingEventsRun() = 0;
  // Waits about `ms` milliseconds, running events as they arrive; no busy
  // loop. Events still run once the program is asked to quit.
  virtual void WaitWithEvents(int ms) = 0;
  // True once the program's message loop has been asked to end.
  virtual bool QuitRequested() const = 0;
};

}  // namespace orvando
